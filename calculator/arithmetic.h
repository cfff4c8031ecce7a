#pragma once

#include <cstdint>

enum class Operation { Add, Subtract, Multiply, Divide };

// first op second in double precision. A result beyond the largest double throws EOverflow; one
// too small becomes a denormal or zero. The caller keeps a zero divisor out.
double Compute(Operation operation, double first, double second);

// 1.0 multiplied exponent times by base, rounded after every multiplication, exactly as the plain
// loop would give it; throws EOverflow at the multiplication that leaves the double range.
// Returns at once for any exponent: once the product stops changing, becomes zero or alternates
// between two values, the rest of the loop is worked out from the count that remains.
double PowerProduct(double base, std::int32_t exponent);

// The running total after adding value; throws EOverflow when the sum leaves the double range.
double AddToTotal(double total, double value);
