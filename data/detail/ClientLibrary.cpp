#include "data/detail/ClientLibrary.h"

#include "data/DatabaseError.h"
#include "data/detail/Messages.h"

#include <clocale>

#include <dlfcn.h>

#include <map>
#include <memory>

namespace detail {

namespace {

// Loaded libraries are never unloaded: the client stops its own threads when the
// process ends, and its objects must stay valid until then.
using Registry = std::map<QString, std::unique_ptr<ClientLibrary>>;

Registry& registry() {
    static auto* r = new Registry;
    return *r;
}

// The client and the embedded engine fold names and configuration keys with the C
// library's character classification. Under a workstation locale such as Turkish,
// where "i" and "I" are no pair, the client cannot read its own configuration and
// the engine would fold SQL names wrongly, so the process's character
// classification is the neutral one from before the client is loaded. Dates and
// numbers keep the workstation's form: Qt reads that locale from the environment.
void neutralCharacterClassification() {
    if (!std::setlocale(LC_CTYPE, "C.UTF-8"))
        std::setlocale(LC_CTYPE, "C");
}

} // namespace

ClientLibrary& ClientLibrary::get(const QString& fileName) {
    auto& libs = registry();
    if (auto it = libs.find(fileName); it != libs.end())
        return *it->second;

    neutralCharacterClassification();
    void* handle = dlopen(fileName.toLocal8Bit().constData(), RTLD_NOW | RTLD_GLOBAL);
    using GetMaster = Firebird::IMaster* (*)();
    auto getMaster = handle ? reinterpret_cast<GetMaster>(dlsym(handle, "fb_get_master_interface"))
                            : nullptr;
    if (!getMaster)
        throw EDatabaseError(msg::unableToLoad().arg(fileName));

    std::unique_ptr<ClientLibrary> lib(new ClientLibrary);
    lib->master_ = getMaster();
    lib->util_ = lib->master_->getUtilInterface();
    lib->dispatcher_ = lib->master_->getDispatcher();
    lib->sqlcodeFn_ = reinterpret_cast<int (*)(const intptr_t*)>(dlsym(handle, "isc_sqlcode"));
    return *libs.emplace(fileName, std::move(lib)).first->second;
}

int ClientLibrary::sqlCode(const intptr_t* statusVector) const {
    return sqlcodeFn_ ? sqlcodeFn_(statusVector) : 0;
}

} // namespace detail
