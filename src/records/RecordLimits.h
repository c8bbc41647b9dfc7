#pragma once
// The speeds past which a sport's activity is no record but a glitch (a GPS jump, a ride
// logged as a run), and the words that say why it was left out. The limits sit well beyond
// what anyone has done, so no fast day is ever refused:
//
//   sport              faster than       that is
//   Running            2:30 a km         24 km/h
//   Walking, Hiking    5:00 a km         12 km/h
//   Swimming           1:00 a 100 m      6 km/h
//   Cycling, Biking    100 km/h
//   any other          no limit

#include <string>
#include <string_view>

class RecordLimits {
public:
    // The limit in km/h; 0 for none.
    static double Limit(std::string_view sport);
    // Why these figures are left out ("faster than 2:30/km: 1:58/km"), empty when they are
    // not. Paces are said per km, speeds in km/h, as the table says them.
    static std::string TooFast(std::string_view sport, double metres, double seconds);
};
