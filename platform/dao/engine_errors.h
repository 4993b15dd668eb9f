#pragma once

// The engine's errors: numbers and descriptions as the real engine words
// them ('<name>' placeholders filled in with the offending text, UTF-8).

#include "platform/dao/dao.h"
#include "platform/jet/errors.h"
#include "platform/jet/io_error.h"

#include <string_view>

namespace bastara::dao::errors {

EngineError invalidArgument(); // 3001
EngineError tableExists(std::u16string_view name); // 3010
EngineError updateWithoutAddNew(); // 3020
EngineError duplicateKey(); // 3022
EngineError couldNotFindFile(std::string_view path); // 3024
EngineError diskFull(); // 3026
EngineError systemResourceExceeded(); // 3035
EngineError diskOrNetworkError(); // 3043
EngineError invalidPath(std::string_view path); // 3044
EngineError recordTooLarge(); // 3047
EngineError cannotOpenFile(std::string_view path); // 3051
EngineError nullInIndex(); // 3058
EngineError invalidFileName(); // 3055
EngineError inputTableNotFound(std::u16string_view name); // 3078
EngineError invalidName(std::u16string_view name); // 3125
EngineError nullToNonVariant(); // 3162
EngineError fieldTooSmall(); // 3163
EngineError tooManyFields(); // 3190
EngineError databaseExists(); // 3204
EngineError invalidOperation(); // 3219
EngineError invalidFieldType(); // 3259
EngineError noFieldDefined(); // 3264
EngineError itemNotFound(); // 3265
EngineError tooManyIndexFields(); // 3277
EngineError tooManyIndexes(); // 3281
EngineError primaryKeyExists(); // 3283
EngineError numericFieldOverflow(); // 3349
EngineError alreadyInCollection(); // 3367
EngineError objectInvalid(); // 3420
EngineError conversionError(); // 3421

// What the user is told when the file system refuses.
EngineError fromIoError(const jet::IoError& error);
// What the user is told when the file cannot hold what was asked (checks
// before the writer catch the rest).
EngineError fromFormatError(const jet::FormatError& error, std::u16string_view tableName);

} // namespace bastara::dao::errors
