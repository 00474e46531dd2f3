#include "app/digiteditor.h"

#include "common/timeformat.h"

namespace tavrok::digits {

namespace {

enum { H1 = 1, H2 = 2, M1 = 3, M2 = 4, S1 = 5, S2 = 6 };

} // namespace

int wrap(int position) {
    if (position >= 7) {
        return 1;
    }
    if (position <= 0) {
        return 6;
    }
    return position;
}

bool typeDigit(TDigits& t, int position, int d) {
    if (d < 0 || d > 9) {
        return false;
    }
    switch (position) {
    case H1:
        if (d > 2 || (d == 2 && t.d[H2] >= 4)) {
            return false;
        }
        break;
    case H2:
        if (d >= 4 && t.d[H1] >= 2) {
            return false;
        }
        break;
    case M1:
    case S1:
        if (d > 5) {
            return false;
        }
        break;
    case M2:
    case S2:
        break;
    default:
        return false;
    }
    t.d[position] = d;
    return true;
}

bool upravDisplej(TDigits& t, int position, int delta, bool carry, bool noDays) {
    // Works on a copy: a change that fails somewhere to the left leaves every digit as it was.
    TDigits w = t;
    const auto done = [&](bool ok) {
        if (ok) {
            t = w;
        }
        return ok;
    };
    switch (position) {
    case 0: {
        if (noDays || w.days + delta < 0 || w.days + delta > MaxDays) {
            return false;
        }
        w.days += delta;
        return done(true);
    }
    case S2:
    case M2:
    case S1:
    case M1: {
        const int base = (position == S1 || position == M1) ? 6 : 10;
        const int n = w.d[position] + delta;
        if (n < 0) {
            if (!upravDisplej(w, position - 1, -1, true, noDays)) {
                return false;
            }
            w.d[position] = base - 1;
        } else if (n >= base) {
            if (!upravDisplej(w, position - 1, +1, true, noDays)) {
                return false;
            }
            w.d[position] = 0;
        } else {
            w.d[position] = n;
        }
        return done(true);
    }
    case H2: {
        const int n = w.d[H2] + delta;
        if (delta > 0) {
            if (n <= 3 || (n <= 9 && w.d[H1] < 2)) {
                w.d[H2] = n;
            } else {
                if (!upravDisplej(w, H1, +1, true, noDays)) {
                    return false;
                }
                w.d[H2] = w.d[H1] == 0 ? n % 4 : n % 10;
            }
        } else {
            if (n < 0 && !upravDisplej(w, H1, -1, true, noDays)) {
                return false;
            }
            w.d[H2] = w.d[H1] == 2 ? (n + 4) % 4 : (n + 10) % 10;
        }
        return done(true);
    }
    case H1: {
        const int n = w.d[H1] + delta;
        const int u = w.d[H2];
        if (delta > 0) {
            if (n <= 1) {
                w.d[H1] = n;
            } else if (n == 2) {
                if (!(u < 4 || carry)) {
                    return false;
                }
                w.d[H1] = 2;
            } else {
                if (u > 3 || !upravDisplej(w, 0, +1, true, noDays)) {
                    return false;
                }
                w.d[H1] = 0;
            }
        } else {
            if (n >= 0) {
                w.d[H1] = n;
            } else {
                if (u > 3 || !upravDisplej(w, 0, -1, true, noDays)) {
                    return false;
                }
                w.d[H1] = 2;
            }
        }
        return done(true);
    }
    default:
        return false;
    }
}

bool raise(TDigits& t, int position) {
    int limit = 9;
    switch (position) {
    case H1:
        // 0 -> 1 always; 1 -> 2 only while the units stay a valid hour.
        if (t.d[H1] >= 2 || (t.d[H1] == 1 && t.d[H2] >= 4)) {
            return false;
        }
        t.d[H1] += 1;
        return true;
    case H2:
        limit = t.d[H1] < 2 ? 9 : 3;
        break;
    case M1:
    case S1:
        limit = 5;
        break;
    case M2:
    case S2:
        break;
    default:
        return false;
    }
    if (t.d[position] >= limit) {
        return false;
    }
    t.d[position] += 1;
    return true;
}

bool lower(TDigits& t, int position) {
    if (position < H1 || position > S2 || t.d[position] <= 0) {
        return false;
    }
    t.d[position] -= 1;
    return true;
}

} // namespace tavrok::digits
