// The CSV reader and the day rows of an import over any bytes. Beyond never crashing and
// never holding more than about one row: every row accepted as a day is written as the
// export writes it and read back to the same day content.

#include "FuzzFiles.h"

#include "cli/CsvText.h"
#include "cli/DayCsv.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using fuzzfiles::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t offset = 0;
    CsvText::Reader reader([&](char* buffer, std::size_t length) -> std::int64_t {
        // Small pieces, so rows and fields straddle the reader's refills.
        const std::size_t n = std::min({length, size - offset, std::size_t{7}});
        std::memcpy(buffer, data + offset, n);
        offset += n;
        return static_cast<std::int64_t>(n);
    });
    CsvText::Row row;
    std::string problem;
    if (reader.Next(row, problem) != CsvText::Reader::Result::Row) {
        return 0;
    }
    DayCsv::Layout layout;
    if (!DayCsv::ReadHeader(row.fields, layout, problem)) {
        return 0;
    }
    DateUtility dates;
    const DayCsv csv(dates);
    DayCsv::Layout standard;
    std::vector<std::string> names(std::begin(DayCsv::kColumnNames),
                                   std::end(DayCsv::kColumnNames));
    Require(DayCsv::ReadHeader(names, standard, problem));

    while (reader.Next(row, problem) == CsvText::Reader::Result::Row) {
        Require(row.fields.size() <= CsvText::kMaxRowBytes + 1);
        DayRecord day;
        std::vector<std::string> problems;
        if (!csv.ReadRow(row.fields, layout, day, problems)) {
            Require(!problems.empty());
            continue;
        }
        std::vector<CsvText::Row> back;
        Require(CsvText::Parse(DayCsv::HeaderLine() + csv.Line(day), back, problem));
        Require(back.size() == 2);
        DayRecord again;
        Require(csv.ReadRow(back[1].fields, standard, again, problems));
        Require(again.SameContent(day));
    }
    return 0;
}
