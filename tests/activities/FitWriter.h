#pragma once
// Builds FIT files for the tests, message by message: definitions in either byte order,
// data and compressed-timestamp messages, developer fields; Bytes() adds the header and the
// CRC. Its CRC is computed bit by bit, apart from the reader's table. Gzip() packs any
// activity file as a .gz file holds it.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>
#include <zlib.h>

class FitWriter {
public:
    struct Field {
        std::uint8_t number;
        std::uint8_t size;
        std::uint8_t baseType;
    };
    static constexpr std::uint8_t kEnum = 0x00, kUint8 = 0x02, kUint16 = 0x84, kUint32 = 0x86;
    static constexpr std::uint32_t kSeconds1970 = 631065600; // the FIT epoch after 1970

    explicit FitWriter(bool bigEndian = false, int headerSize = 14)
        : bigEndian(bigEndian), headerSize(headerSize) {}

    FitWriter& Define(int local, std::uint16_t global, std::vector<Field> fields,
                      std::vector<std::uint8_t> developerSizes = {}) {
        data += Chars({0x40 | (developerSizes.empty() ? 0 : 0x20) | local, 0, bigEndian ? 1 : 0});
        data += Ordered(global, 2, bigEndian) + Chars({static_cast<int>(fields.size())});
        for (const Field& f : fields) {
            data += Chars({f.number, f.size, f.baseType});
        }
        if (!developerSizes.empty()) {
            data += Chars({static_cast<int>(developerSizes.size())});
            for (std::size_t i = 0; i < developerSizes.size(); ++i) {
                data += Chars({static_cast<int>(i), developerSizes[i], 0});
            }
        }
        definitions[local] = fields;
        developer[local] = developerSizes;
        return *this;
    }
    // Values in field order, each at its field's size; developer fields filled with 0x55.
    FitWriter& Data(int local, const std::vector<std::uint64_t>& values) {
        data += static_cast<char>(local);
        return Values(local, values);
    }
    // A data message of local type 0..3 whose time is given by the header's five bits.
    FitWriter& Compressed(int local, int seconds, const std::vector<std::uint64_t>& values) {
        data += static_cast<char>(0x80 | local << 5 | (seconds & 0x1F));
        return Values(local, values);
    }

    // Bytes as they are, for what no well-formed message holds.
    FitWriter& Raw(const std::string& bytes) {
        data += bytes;
        return *this;
    }

    // The messages most tests need, on local types 0 (file_id), 1 (session), 2 (activity).
    FitWriter& FileId(std::uint64_t type) { return Define(0, 0, {{0, 1, kEnum}}).Data(0, {type}); }
    struct Session {
        std::uint64_t start, sport, timerMs, centimetres, calories, avgHr, maxHr;
    };
    FitWriter& Sessions(const std::vector<Session>& sessions) {
        Define(1, 18,
               {{2, 4, kUint32},
                {5, 1, kEnum},
                {8, 4, kUint32},
                {9, 4, kUint32},
                {11, 2, kUint16},
                {16, 1, kUint8},
                {17, 1, kUint8}});
        for (const Session& s : sessions) {
            Data(1, {s.start, s.sport, s.timerMs, s.centimetres, s.calories, s.avgHr, s.maxHr});
        }
        return *this;
    }
    FitWriter& ActivityMessage(std::uint64_t timestamp, std::uint64_t localTimestamp) {
        return Define(2, 34, {{253, 4, kUint32}, {5, 4, kUint32}})
            .Data(2, {timestamp, localTimestamp});
    }

    std::string Bytes() const {
        std::string header =
            Chars({headerSize, 0x20, 0x08, 0x08}) + Ordered(data.size(), 4) + ".FIT";
        if (headerSize == 14) {
            header += Ordered(Crc(header), 2);
        }
        const std::string file = header + data;
        return file + Ordered(Crc(file), 2);
    }

    static std::uint16_t Crc(const std::string& bytes) {
        std::uint16_t crc = 0;
        for (const char b : bytes) {
            crc ^= static_cast<unsigned char>(b);
            for (int bit = 0; bit < 8; ++bit) {
                crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                                : static_cast<std::uint16_t>(crc >> 1);
            }
        }
        return crc;
    }

private:
    static std::string Chars(std::initializer_list<int> bytes) {
        std::string chars;
        for (const int b : bytes) {
            chars += static_cast<char>(b);
        }
        return chars;
    }
    // A number in so many bytes, little-endian unless told otherwise.
    static std::string Ordered(std::uint64_t value, int size, bool big = false) {
        std::string bytes;
        for (int i = 0; i < size; ++i) {
            bytes += static_cast<char>((value >> (8 * (big ? size - 1 - i : i))) & 0xFF);
        }
        return bytes;
    }
    FitWriter& Values(int local, const std::vector<std::uint64_t>& values) {
        for (std::size_t i = 0; i < definitions[local].size(); ++i) {
            data += Ordered(values.at(i), definitions[local][i].size, bigEndian);
        }
        for (const std::uint8_t size : developer[local]) {
            data.append(size, '\x55');
        }
        return *this;
    }

    bool bigEndian;
    int headerSize;
    std::string data;
    std::vector<Field> definitions[16];
    std::vector<std::uint8_t> developer[16];
};

inline std::string Gzip(const std::string& bytes) {
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(compressBound(static_cast<uLong>(bytes.size())) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const bool whole = deflate(&z, Z_FINISH) == Z_STREAM_END;
    out.resize(whole ? z.total_out : 0);
    deflateEnd(&z);
    return out;
}
