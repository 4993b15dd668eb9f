#include "app/model/field_types.h"

#include "platform/dao/dao.h"

namespace bastara::app {

namespace {

    struct TypeName {
        std::u16string_view name;
        int32_t code;
    };

    // Looked up in this order; the first equal name wins.
    constexpr std::array<TypeName, 13> typeNames { {
        { u"Text", dao::dbText },
        { u"Boolean", dao::dbBoolean },
        { u"Byte", dao::dbByte },
        { u"Binary", dao::dbBinary },
        { u"Integer", dao::dbInteger },
        { u"Long", dao::dbLong },
        { u"Single", dao::dbSingle },
        { u"Currency", dao::dbCurrency },
        { u"Double", dao::dbDouble },
        { u"Date", dao::dbDate },
        { u"Time", dao::dbDate },
        { u"Memo", dao::dbMemo },
        { u"Float", dao::dbFloat },
    } };

} // namespace

std::optional<int32_t> typeCodeForName(std::u16string_view typeName)
{
    for (const TypeName& entry : typeNames) {
        if (entry.name == typeName)
            return entry.code;
    }
    return std::nullopt;
}

} // namespace bastara::app
