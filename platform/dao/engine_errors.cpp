#include "platform/dao/engine_errors.h"

#include "platform/jet/text.h"

#include <string>

namespace bastara::dao::errors {

namespace {

    EngineError error(std::int32_t number, std::string description)
    {
        return { number, std::move(description) };
    }

    std::string inQuotes(std::string_view text)
    {
        return "'" + std::string(text) + "'";
    }

} // namespace

EngineError invalidArgument()
{
    return error(3001, "Invalid argument.");
}

EngineError tableExists(std::u16string_view name)
{
    return error(3010, "Table " + inQuotes(jet::toUtf8(name)) + " already exists.");
}

EngineError couldNotFindFile(std::string_view path)
{
    return error(3024, "Could not find file " + inQuotes(path) + ".");
}

EngineError diskFull()
{
    return error(3026, "Not enough space on disk.");
}

EngineError systemResourceExceeded()
{
    return error(3035, "System resource exceeded.");
}

EngineError diskOrNetworkError()
{
    return error(3043, "Disk or network error.");
}

EngineError invalidPath(std::string_view path)
{
    return error(3044,
        inQuotes(path)
            + " isn't a valid path. Make sure that the path name is spelled correctly and that "
              "you are connected to the server on which the file resides.");
}

EngineError cannotOpenFile(std::string_view path)
{
    return error(3051,
        "The Microsoft Jet database engine cannot open the file " + inQuotes(path)
            + ". It is already opened exclusively by another user, or you need permission to "
              "view its data.");
}

EngineError invalidFileName()
{
    return error(3055, "Not a valid file name.");
}

EngineError invalidName(std::u16string_view name)
{
    return error(3125,
        inQuotes(jet::toUtf8(name))
            + " isn't a valid name. Make sure that it doesn't include invalid characters or "
              "punctuation and that it isn't too long.");
}

EngineError tooManyFields()
{
    return error(3190, "Too many fields defined.");
}

EngineError databaseExists()
{
    return error(3204, "Database already exists.");
}

EngineError invalidOperation()
{
    return error(3219, "Invalid operation.");
}

EngineError invalidFieldType()
{
    return error(3259, "Invalid field data type.");
}

EngineError noFieldDefined()
{
    return error(3264, "No field defined--cannot append TableDef or Index.");
}

EngineError alreadyInCollection()
{
    return error(3367, "Cannot append. An object with that name already exists in the collection.");
}

EngineError objectInvalid()
{
    return error(3420, "Object invalid or no longer set.");
}

EngineError updateWithoutAddNew()
{
    return error(3020, "Update or CancelUpdate without AddNew or Edit.");
}

EngineError duplicateKey()
{
    return error(3022,
        "The changes you requested to the table were not successful because they would create "
        "duplicate values in the index, primary key, or relationship. Change the data in the "
        "field or fields that contain duplicate data, remove the index, or redefine the index to "
        "permit duplicate entries and try again.");
}

EngineError nullInIndex()
{
    return error(3058, "Index or primary key cannot contain a Null value.");
}

EngineError tooManyIndexFields()
{
    return error(3277, "Can't have more than 10 fields in an index.");
}

EngineError tooManyIndexes()
{
    return error(3281, "Too many indexes on this table or database.");
}

EngineError primaryKeyExists()
{
    return error(3283, "Primary key already exists.");
}

EngineError recordTooLarge()
{
    return error(3047, "Record is too large.");
}

EngineError inputTableNotFound(std::u16string_view name)
{
    return error(3078,
        "The database engine cannot find the input table or query " + inQuotes(jet::toUtf8(name))
            + ". Make sure it exists and that its name is spelled correctly.");
}

EngineError nullToNonVariant()
{
    return error(
        3162, "You tried to assign the Null value to a variable that is not a Variant data type.");
}

EngineError fieldTooSmall()
{
    return error(3163,
        "The field is too small to accept the amount of data you attempted to add. Try "
        "inserting or pasting less data.");
}

EngineError itemNotFound()
{
    return error(3265, "Item not found in this collection.");
}

EngineError numericFieldOverflow()
{
    return error(3349, "Numeric field overflow.");
}

EngineError conversionError()
{
    return error(3421, "Data type conversion error.");
}

EngineError fromIoError(const jet::IoError& failure)
{
    switch (failure.kind) {
    case jet::IoErrorKind::AlreadyExists:
        return databaseExists();
    case jet::IoErrorKind::NoSuchFolder:
        return invalidPath(failure.path);
    case jet::IoErrorKind::InvalidName:
        return invalidFileName();
    case jet::IoErrorKind::PermissionDenied:
    case jet::IoErrorKind::NotOurFile:
        return cannotOpenFile(failure.path);
    case jet::IoErrorKind::DiskFull:
        return diskFull();
    case jet::IoErrorKind::FileMissing:
        return couldNotFindFile(failure.path);
    case jet::IoErrorKind::Other:
        break;
    }
    return diskOrNetworkError();
}

EngineError fromFormatError(const jet::FormatError& failure, std::u16string_view tableName)
{
    if (failure.kind == jet::FormatError::Kind::NameWithoutSortKey)
        return invalidName(tableName);
    return systemResourceExceeded();
}

} // namespace bastara::dao::errors
