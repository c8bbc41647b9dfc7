#pragma once
// import LOGBOOK FILE.csv for a CSV of activities, as activities --csv writes it (told by its
// header line): every row read first, and nothing stored unless each reads whole; then the
// activities are placed and stored as activity files' are, each row as a file of its own,
// so that one given twice or stored already is left out with its reason.

#include "cli/CsvText.h"

#include <string>

class ToolCommand;

// reader stands after the header line; csvName is the file's name as messages quote it.
int ImportActivityCsv(ToolCommand& tool, CsvText::Reader& reader, const std::string& csvName);
