// The thirteen operation codes.
//
// An operation key does not store an operator: it stores one double, the
// pending key, as the value of a display plus one of these codes. Equals
// finds the operation again by adding each code to a display's value and
// comparing the sum with the pending key (see equals_rows.h).
//
// Each constant is the double nearest to its decimal literal; neighbouring
// codes differ by one unit in the eleventh decimal place, which is why large
// operands make several codes give the same sum.
#pragma once

namespace rurozovizera {

// First-stage codes: added to the value of the primary display.
inline constexpr double DivideCode = 9.81178064301;
inline constexpr double AddCode = 9.81178064302;
inline constexpr double MultiplyCode = 9.81178064303;
inline constexpr double SubtractCode = 9.81178064304;
inline constexpr double SquareCode = 9.81178064305;
inline constexpr double RootCode = 9.81178064306;
// Percent has a single form, which always reads the primary display.
inline constexpr double PercentCode = 9.81178064307;

// Chained codes: added to the value of the secondary display, where Equals
// leaves its result.
inline constexpr double DivideChainCode = 9.81178064308;
inline constexpr double AddChainCode = 9.81178064309;
inline constexpr double MultiplyChainCode = 9.81178064310;
inline constexpr double SquareChainCode = 9.81178064311;
inline constexpr double RootChainCode = 9.81178064312;
inline constexpr double SubtractChainCode = 9.81178064313;

} // namespace rurozovizera
