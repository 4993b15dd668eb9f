#pragma once

// What column a CreateField call makes: the Jet type for the DAO type code
// and the stored length for the Size argument.
//
//   type code                 column      Size
//   1 Boolean                 Yes/No      ignored (any value, even NaN)
//   2 Byte, 3 Integer, 4 Long, 5 Currency, 6 Single, 7 Double, 8 Date
//                             same        ignored
//   21 Float                  Double      ignored (Jet has no Float column;
//                                         its SQL treats FLOAT as DOUBLE)
//   11 Long Binary, 12 Memo   OLE, Memo   ignored
//   15 GUID                   GUID        ignored
//   10 Text                   Text        characters: rounded to a whole
//   9 Binary                  Binary      number (half to even, as an
//                                         automation Long conversion does);
//                                         0 means "not set" and gives 255;
//                                         1..255 as given; anything else,
//                                         NaN and infinities → 3001
//   anything else (20 Decimal included)   → 3259

#include "platform/dao/dao.h"
#include "platform/jet/database.h"

namespace bastara::dao {

[[nodiscard]] EngineResult<jet::UserColumn> columnForField(
    std::u16string name, std::int32_t type, double size);

} // namespace bastara::dao
