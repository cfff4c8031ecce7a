#include "calculator/arithmetic.h"

#include "app/conversions.h"

#include <cmath>

namespace {

double Checked(double result) {
    if (std::isinf(result))
        throw EOverflow();
    return result;
}

} // namespace

double Compute(Operation operation, double first, double second) {
    switch (operation) {
    case Operation::Add:
        return Checked(first + second);
    case Operation::Subtract:
        return Checked(first - second);
    case Operation::Multiply:
        return Checked(first * second);
    case Operation::Divide:
        return Checked(first / second);
    }
    return 0.0;
}

double PowerProduct(double base, std::int32_t exponent, const std::function<void()>& whileBusy) {
    constexpr std::int32_t StepsBetweenCalls = 1 << 22; // a few milliseconds of multiplications
    double twoBack = 1.0;
    double product = 1.0;
    for (std::int32_t done = 0; done < exponent; ++done) {
        const double next = Checked(product * base);
        const std::int32_t remaining = exponent - done - 1;
        // Each product depends on the one before alone, so a repeat fixes the rest of the
        // sequence. Zero compares equal to minus zero, and both show as "0".
        if (next == product)
            return next;
        if (done >= 1 && next == twoBack)
            return remaining % 2 == 0 ? next : product;
        twoBack = product;
        product = next;
        if (whileBusy && done % StepsBetweenCalls == StepsBetweenCalls - 1)
            whileBusy();
    }
    return product;
}

double AddToTotal(double total, double value) {
    return Checked(total + value);
}
