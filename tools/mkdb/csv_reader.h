#pragma once

// CSV as RFC 4180 has it, read as a stream: fields separated by one
// delimiter byte, records ended by CRLF or LF, fields in double quotes when
// they hold the delimiter, quotes or line breaks, a quote inside them
// doubled. A UTF-8 byte-order mark before the first record is skipped.
// Bytes are passed through: whether they are UTF-8 is for the caller.
//
// Our own reader rather than a library's: it reports the line each record
// starts on and the line and field of every malformed one, and it streams
// fields straight out of its buffer.

#include "platform/support/result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bastara::mkdb {

struct CsvError {
    std::uint64_t line;
    std::size_t column; // 1-based field number
    std::string reason;
};

class CsvReader
{
public:
    // Reads from `fd`, which stays the caller's.
    CsvReader(int fd, char delimiter);

    // The next record's fields into `fields` (valid until the next call);
    // false at the end of the input.
    [[nodiscard]] Result<bool, CsvError> next(std::vector<std::string_view>& fields);
    // The line the last record returned starts on (1-based).
    std::uint64_t recordLine() const { return m_recordLine; }
    std::uint64_t bytesRead() const { return m_bytesRead; }

private:
    // False at the end of the input; an errno-style failure is an error.
    [[nodiscard]] Result<bool, CsvError> fill();

    int m_fd;
    char m_delimiter;
    std::vector<char> m_buffer;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    bool m_started = false;
    std::uint64_t m_line = 1;
    std::uint64_t m_recordLine = 1;
    std::uint64_t m_bytesRead = 0;
    std::string m_record;
    std::vector<std::size_t> m_fieldEnds;
};

} // namespace bastara::mkdb
