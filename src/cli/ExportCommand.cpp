#include "cli/ExportCommand.h"

#include "cli/DayCsv.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/LogBookDatabase.h"
#include "store/OutputFile.h"

int ExportCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    const std::optional<std::string>& output = tool.Value(Option::Output);
    DateValue from;
    DateValue to;
    DayType type = DayType::AllDays;
    if (!tool.ReadRange() || !tool.ReadDate(Option::From, from) || !tool.ReadDate(Option::To, to) ||
        !tool.ReadDayType(type)) {
        return ToolCommand::kUsageError;
    }

    StreamReporter reporter(tool.err, logbook);
    LogBookDatabase database(reporter, tool.dates);
    if (const int opened = tool.OpenToRead(database, logbook); opened != ToolCommand::kSuccess) {
        return opened;
    }
    std::optional<DayRange> days;
    if (!tool.RangeDays(database, days)) {
        return ToolCommand::kProblem;
    }
    if (days) {
        from = days->First();
        to = days->Last();
    }
    // A file is written beside its name and renamed into place only when every day is in,
    // so a failed export never leaves a partial file behind.
    OutputFile file;
    if (output && !file.Open(*output, logbook)) {
        return tool.Fail(file.Problem() + "; nothing was exported");
    }
    bool sinkOk = true;
    auto emit = [&](const std::string& text) {
        if (output) {
            sinkOk = sinkOk && file.Write(text);
        } else {
            tool.out.write(text.data(), static_cast<std::streamsize>(text.size()));
        }
    };
    // Days are read one by one and the text goes out in pieces, so memory stays small
    // whatever the logbook's size.
    std::vector<std::int32_t> positions;
    int count = 0;
    database.FastIndex(days || tool.Given(Option::From) ? &from : nullptr,
                       days || tool.Given(Option::To) ? &to : nullptr, type, positions, count);
    constexpr std::size_t kPiece = 64 * 1024;
    const DayCsv csv(tool.dates);
    std::string text = DayCsv::HeaderLine();
    // A piece and the line that carries it past kPiece; a longer line only grows the text.
    text.reserve(kPiece + 1024);
    int written = 0;
    if (database.BeginReading("rb") != LogBookDatabase::Result::Ok) {
        return ToolCommand::kProblem;
    }
    DayRecord record;
    for (const std::int32_t position : positions) {
        if (database.ReadAtPosition(position, record) != LogBookDatabase::ReadResult::Read) {
            break;
        }
        text += csv.Line(record);
        ++written;
        if (text.size() >= kPiece) {
            emit(text);
            text.clear();
        }
    }
    database.EndReading();
    emit(text);
    if (!output) {
        tool.out.flush();
        sinkOk = static_cast<bool>(tool.out);
    }
    if (written != count) {
        return tool.Fail(logbook + ": only " + std::to_string(written) + " days could be read; " +
                         (output && file.WritePath() != *output ? "nothing was exported"
                                                                : "the export is incomplete"));
    }
    if (!output && !sinkOk) {
        return tool.StandardOutputFailed();
    }
    if (output && (!sinkOk || !file.Commit())) {
        return tool.Fail(file.Problem() + "; nothing was exported");
    }
    return ToolCommand::kSuccess;
}
