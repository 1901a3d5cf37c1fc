#include "tests/grid/GridTestApplication.h"

#include "data/DatabaseError.h"

namespace {

QStringList& caught() {
    static QStringList errors;
    return errors;
}

} // namespace

bool GridTestApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const EAbort&) {
        caught() << kSilentAbort;
    } catch (const EDatabaseError& e) {
        caught() << e.message();
    } catch (const std::exception& e) {
        caught() << QString::fromUtf8(e.what());
    }
    return false;
}

QStringList GridTestApplication::takeErrors() {
    QCoreApplication::processEvents();
    QStringList errors;
    errors.swap(caught());
    return errors;
}
