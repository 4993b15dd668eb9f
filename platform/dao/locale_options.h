#pragma once

// The Locale and Options arguments of CreateDatabase.
//
// Locale: ";"-separated KEY=VALUE settings, keys in any case, blanks around
// them ignored: LANGID (required; 0x0409 or 1033, the General sort order,
// which is the only one this engine can key), CP (1252 if given), COUNTRY
// (any whole number; not stored) and PWD (must be empty: this engine writes
// no database passwords). Anything else, a repeated key, or a missing LANGID
// is error 3001, as is a locale naming another sort order.
//
// Options: a sum of dbEncrypt (2), dbDecrypt (4) and dbVersion40 (64);
// encrypt and decrypt together, other version constants, or unknown bits
// are 3001. The file is Jet 4 either way.

#include "platform/dao/dao.h"

#include <cstdint>
#include <string_view>

namespace bastara::dao {

struct CreationSettings {
    std::uint16_t codePage = 1252;
    bool encrypt = false;
};

[[nodiscard]] EngineResult<CreationSettings> parseCreationSettings(
    std::string_view locale, std::int32_t options);

} // namespace bastara::dao
