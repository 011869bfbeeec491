#!/usr/bin/env python3
"""Exact model of the decimal conversion, independent of any floating unit.

Every product and quotient is computed exactly with Python integers and
rounded once to a 64-bit significand, ties to even, as the x87 unit does at
extended precision. Prints one C++ table row per text given on the command
line: the text, the significand and the binary exponent of the result.
Used to make the bit-exact rows of number_text_test.cpp.
"""
import sys
from fractions import Fraction


def round64(q):
    """Nearest extended value (64-bit significand, subnormals included) to q > 0."""
    if q == 0:
        return Fraction(0)
    e = q.numerator.bit_length() - q.denominator.bit_length()
    while Fraction(2) ** e > q:
        e -= 1
    while Fraction(2) ** (e + 1) <= q:
        e += 1
    e = max(e, -16382)  # below the normal range the quantum stays 2^-16445
    scaled = q / Fraction(2) ** (e - 63)
    sig = scaled.numerator // scaled.denominator
    rest = scaled - sig
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and sig % 2):
        sig += 1
    return Fraction(sig) * Fraction(2) ** (e - 63)


T = [round64(Fraction(10) ** (8 * 2 ** j)) for j in range(10)]
LARGEST = Fraction((1 << 64) - 1) * Fraction(2) ** (16383 - 63)


def power(n):
    f = Fraction(1)
    if n > 4096:
        f, n = T[9], n - 4096
    q = Fraction(10 ** (n % 8))
    for j in range(10):
        if (n // 8) >> j & 1:
            q = round64(q * T[j])
    p = round64(f * q)
    return None if p > LARGEST else p  # None: infinity


def convert(text):
    i, n = 0, len(text)
    while i < n and text[i] in " \t\n":
        i += 1
    neg = False
    if i < n and text[i] in "+-":
        neg, i = text[i] == "-", i + 1
    m = d = before = zeros = 0
    point = False
    while i < n:
        c = text[i]
        if c == "." and not point:
            point = True
        elif not c.isdigit():
            break
        elif d == 0 and c == "0":
            zeros += point
        else:
            if d < 18:
                m = m * 10 + int(c)
            d += 1
            before += not point
        i += 1
    e = 0
    if i < n and text[i] in "EeDd":
        i += 1
        eneg = False
        if i < n and text[i] in "+-":
            eneg, i = text[i] == "-", i + 1
        while i < n and text[i].isdigit():
            e = min(e * 10 + int(text[i]), 9999)
            i += 1
        e = -e if eneg else e
    if d == 0:
        return neg, Fraction(0)
    x = (before if before > 0 else -zeros) + e
    if x >= 4933:
        return neg, Fraction(2) ** 127
    if x <= -4933:
        return neg, Fraction(0)
    k = x - min(d, 18)
    if k == 0:
        return neg, Fraction(m)
    p = power(abs(k))
    if k > 0:
        return neg, round64(m * p)
    return neg, Fraction(0) if p is None else round64(m / p)


def main():
    for text in sys.argv[1:]:
        neg, v = convert(text)
        if v == 0:
            sig, exp = 0, 0
        else:
            exp = 0
            while v * Fraction(2) ** -exp >= 2 ** 64:
                exp += 1
            while v * Fraction(2) ** -exp < 2 ** 63:
                exp -= 1
            sig = int(v * Fraction(2) ** -exp)
        print('      {"%s", %s, 0x%016XULL, %d},' % (text, "true" if neg else "false", sig, exp))


if __name__ == "__main__":
    main()
