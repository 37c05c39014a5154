// The status codes of the definition language, shared by the statement
// parser, the readers and the generators' diagnostics. Each code has a
// fixed message (diagnostics.h); 0 is success.

#ifndef OSTRAND_LANGUAGE_STATUS_CODES_H_
#define OSTRAND_LANGUAGE_STATUS_CODES_H_

#include <cstdint>

constexpr int32_t kInternalError = -1;
// The result of a generator that found an error of the definitions and
// reported it (as diagnostics, or as a message of the MIB stages).
constexpr int32_t kGeneratorFailed = -1;
// The result of a generator that found the definition inconsistent without
// a diagnostic of its own: something missing that the parser did not
// require, or a problem reported as a message of the MIB stages.
constexpr int32_t kGeneratorInconsistent = -2;
constexpr int32_t kStatusOk = 0;
constexpr int32_t kSyntaxError = 1;
constexpr int32_t kDuplicateTable = 2;
constexpr int32_t kParameterNotFound = 3;
constexpr int32_t kParameterInTwoTables = 4;
constexpr int32_t kDuplicateParamVersion = 5;
constexpr int32_t kBadRemovalVersion = 6;
constexpr int32_t kIndexNotDefined = 7;
constexpr int32_t kIndexRemoved = 8;
constexpr int32_t kDuplicateIndex = 9;
constexpr int32_t kDuplicateRange = 10;
constexpr int32_t kRangeKindChanged = 11;
constexpr int32_t kInvalidRange = 12;
constexpr int32_t kEmptyRange = 13;
constexpr int32_t kFirstRangeVersion = 14;
constexpr int32_t kRangeAfterRemoval = 15;
constexpr int32_t kCtrlValidAfterRemoval = 16;
constexpr int32_t kGreyOutAfterRemoval = 17;
constexpr int32_t kIndexAfterRemoval = 18;
constexpr int32_t kEmptyTrapDescription = 19;
constexpr int32_t kDuplicateTrap = 20;
constexpr int32_t kEmptyTrapAction = 21;
constexpr int32_t kIllegalTableName = 22;
constexpr int32_t kDuplicateVidStd = 23;
constexpr int32_t kInvalidVidStdConstant = 24;
constexpr int32_t kDescriptionAfterRemoval = 25;
constexpr int32_t kGlobalDisplayRuleNotAlone = 26;
constexpr int32_t kConditionalAfterGlobalRule = 27;

#endif  // OSTRAND_LANGUAGE_STATUS_CODES_H_
