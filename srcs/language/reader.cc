#include "language/reader.h"

#include "language/block_readers.h"
#include "language/display_body_reader.h"
#include "language/range_reader.h"
#include "language/trap_values_reader.h"

void resetReaders() {
  resetBlockReaders();
  resetRangeReader();
  resetTrapValuesReader();
  resetDisplayBodyReader();
}
