#pragma once

// The adapter's UNO plumbing: the connection to LibreOffice, string conversions, and the one
// boundary where UNO exceptions become office::Error.

#include <QString>
#include <map>
#include <memory>
#include <utility>

#include <com/sun/star/awt/XToolkitExperimental.hpp>
#include <com/sun/star/datatransfer/clipboard/XClipboard.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/Sequence.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <rtl/ustring.hxx>

#include "office/Error.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

inline QString qs(const OUString& s) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(s.getStr()), s.getLength());
}
inline OUString ous(const QString& s) {
    return OUString(reinterpret_cast<const sal_Unicode*>(s.utf16()), s.size());
}
inline OUString ous(const char* ascii) {
    return OUString::createFromAscii(ascii);
}

// One live connection to a LibreOffice: its component context and desktop, and whether the
// bridge has gone away. Shared by every object the adapter hands out.
class Session {
  public:
    // Connects to the LibreOffice listening on `pipe`; throws Error(NotRunning) when none does.
    static std::shared_ptr<Session> connect(const QString& pipe);
    ~Session();

    const Reference<css::uno::XComponentContext>& context() const { return context_; }
    const Reference<css::frame::XDesktop2>& desktop() const { return desktop_; }
    // Whether LibreOffice still answers; once it has not, never again.
    bool alive() const;

    // Creates a service of LibreOffice's.
    Reference<css::uno::XInterface> create(const char* service) const;
    // LibreOffice's own clipboard (on a desktop, the user's).
    Reference<css::datatransfer::clipboard::XClipboard> clipboard() const;

    // Lets LibreOffice finish what a call left for its event loop: Impress switches views,
    // takes a new selection and places embedded objects there, after the call has returned.
    void settle() const;

    // Rethrows the exception being handled as an office::Error. Call only from a catch block.
    [[noreturn]] void rethrowAsError(const char* member) const;

  private:
    Session() = default;
    Reference<css::uno::XComponentContext> context_;
    Reference<css::frame::XDesktop2> desktop_;
    Reference<css::lang::XComponent> bridge_;
    mutable Reference<css::datatransfer::clipboard::XClipboard> clipboard_;
    mutable Reference<css::awt::XToolkitExperimental> toolkit_;
    mutable bool dead_ = false;
};

// Runs one adapter member: every UNO exception leaves it as an office::Error, so none ever
// reaches the program.
template <typename F>
auto guarded(const Session& session, const char* member, F&& body) -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        session.rethrowAsError(member);
    }
}

// One wrapper per UNO object, so the program sees the same sheet or workbook however it reached
// it. Over the bridge an object comes back as the same proxy only while a reference to it is
// held, so the keys are kept alive here.
template <typename W>
class Wrappers {
  public:
    template <typename T, typename Make>
    std::shared_ptr<W> get(const Reference<T>& object, Make&& make) {
        Reference<css::uno::XInterface> key(object, UNO_QUERY_THROW);
        auto& slot = map_[key.get()];
        if (!slot.second) slot = {key, make()};
        return slot.second;
    }

  private:
    std::map<css::uno::XInterface*, std::pair<Reference<css::uno::XInterface>, std::shared_ptr<W>>>
        map_;
};

[[noreturn]] inline void fail(int number, const QString& description) {
    throw Error(number, description);
}

// What LibreOffice hands back for an object of a document that was closed may be nothing
// rather than an exception: a missing object, never a null to call.
template <typename T>
Reference<T> need(Reference<T> object) {
    if (!object.is())
        fail(errors::ObjectRequired,
             QStringLiteral("Object required: the workbook or object is no longer open in "
                            "LibreOffice."));
    return object;
}

}  // namespace office::libreoffice
