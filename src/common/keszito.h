#pragma once
// The maker of the program: printed in the reports' page footer and reached
// from the help menu.

namespace keszito {
inline constexpr char kHonlap[] = "www.tervoda.hu";            // as printed
inline constexpr char kHonlapCim[] = "https://www.tervoda.hu";   // as opened
inline constexpr char kEmail[] = "tervoda@tervoda.hu";
}
