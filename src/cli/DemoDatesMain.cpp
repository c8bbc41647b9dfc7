// Moves every day of a CSV logbook export by the same number of days so that its last day
// is today (the demo logbook's year ends on the day it is built):
//   veloria-demo-dates INPUT.csv OUTPUT.csv
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

bool ParseDate(const std::string& line, std::chrono::sys_days& day) {
    int y = 0;
    unsigned m = 0;
    unsigned d = 0;
    if (line.size() < 10 || std::sscanf(line.c_str(), "%4d-%2u-%2u", &y, &m, &d) != 3) {
        return false;
    }
    const std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{m},
                                           std::chrono::day{d}};
    if (!date.ok()) {
        return false;
    }
    day = std::chrono::sys_days{date};
    return true;
}

std::string DateText(std::chrono::sys_days day) {
    const std::chrono::year_month_day date{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: veloria-demo-dates INPUT.csv OUTPUT.csv\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    std::chrono::sys_days last{};
    bool any = false;
    for (const std::string& line : lines) {
        std::chrono::sys_days day;
        if (ParseDate(line, day)) {
            last = day;
            any = true;
        }
    }
    if (!in.eof() || !any) {
        std::cerr << "veloria-demo-dates: no dated rows in " << argv[1] << "\n";
        return 1;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::chrono::sys_days today{
        std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                    std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                    std::chrono::day{static_cast<unsigned>(local.tm_mday)}}};
    const auto shift = today - last;
    std::ofstream out(argv[2], std::ios::trunc);
    for (const std::string& line : lines) {
        std::chrono::sys_days day;
        out << (ParseDate(line, day) ? DateText(day + shift) + line.substr(10) : line) << '\n';
    }
    out.close();
    if (!out) {
        std::cerr << "veloria-demo-dates: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
