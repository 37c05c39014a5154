#include "language/reader.h"

#include "language/block_readers.h"

void resetReaders() {
  resetBlockReaders();
}
