// Typed-value parsers: no fault on any text, and numbers they accept survive
// the store's number format.
#include "store/Ut.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qint32 n = 0;
    const int code = Leggi_Intero(text, n);
    if (code != 1 && n != 0)
        std::abort();
    if (code == 1 && QString::number(n).toInt() != n)
        std::abort();
    QTime t;
    if (Leggi_Orario(text, t) == 1 && !t.isValid())
        std::abort();
    double v = 0;
    if (parseDayNumber(QStringView(text), v)) {
        double back = 0;
        if (!parseDayNumber(QStringView(formatDayNumber(v, u',')), back))
            std::abort();
        if (std::fabs(back - v) > 1e-14 * std::fmax(1.0, std::fabs(v)))
            std::abort();
    }
    return 0;
}
