// Feeds arbitrary text to every parser of typed text: filter expressions, decimal,
// integer and date texts. Each must give a value or a clear error, never crash,
// and what it accepts must read back as the same value.

#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "data/TClientDataSet.h"
#include "data/detail/FieldText.h"
#include "data/detail/Filter.h"

#include <cstdint>
#include <cstdlib>

namespace {

TClientDataSet& adjustments() {
    static TClientDataSet* ds = [] {
        auto* d = new TClientDataSet;
        d->declareField(QStringLiteral("AJCI_ID"), FieldType::Integer, 0, true);
        d->declareField(QStringLiteral("AJCI_FECINI"), FieldType::Date);
        d->declareField(QStringLiteral("AJCI_PORC"), FieldType::Decimal, 4);
        d->declareField(QStringLiteral("AJCI_PREFNO"), FieldType::String, 4);
        return d;
    }();
    return *ds;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));

    try {
        detail::CompiledFilter::compile(text, adjustments(), 0);
    } catch (const EDatabaseError& e) {
        check(!e.message().isEmpty());
    }

    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        if (const auto c = detail::parseCurrency(text, u".,")) {
            const QString shown = detail::currencyText(*c, separator);
            check(detail::parseCurrency(shown, QStringView(&separator, 1)) == c);
            // The shortest form: no trailing zero after the separator, no bare separator.
            check(!shown.endsWith(separator) && !(shown.contains(separator) && shown.endsWith(QLatin1Char('0'))));
        }
    }
    if (const auto i = detail::parseInteger(text))
        check(detail::parseInteger(QString::number(*i)) == i);

    FormatSettings dayFirst;
    dayFirst.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    const QDate d = parseDateText(text, dayFirst);
    if (d.isValid())
        check(parseDateText(d.toString(dayFirst.shortDateFormat), dayFirst) == d);
    return 0;
}
