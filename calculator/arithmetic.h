#pragma once

#include <cstdint>
#include <functional>

enum class Operation { Add, Subtract, Multiply, Divide };

// first op second in double precision. A result beyond the largest double throws EOverflow; one
// too small becomes a denormal or zero. The caller keeps a zero divisor out.
double Compute(Operation operation, double first, double second);

// 1.0 multiplied exponent times by base, rounded after every multiplication, as the plain loop
// gives it; throws EOverflow at the multiplication that leaves the double range. Once the product
// stops changing, becomes zero or alternates between two values, the rest of the loop follows
// from the count that remains, so such bases return at once for any exponent. A base within about
// 1e-5 of 1 or -1 keeps the product changing without settling or overflowing; then every step is
// taken, up to 2^31 - 1 multiplications (seconds), and whileBusy, when given, is called every few
// milliseconds so that the caller can keep its window painted and its port read.
double PowerProduct(double base, std::int32_t exponent,
                    const std::function<void()>& whileBusy = {});

// The running total after adding value; throws EOverflow when the sum leaves the double range.
double AddToTotal(double total, double value);
