#include "office/libreoffice/DocumentSet.h"

#include <QUrl>

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XTitle.hpp>

#include "office/libreoffice/Calc.h"

namespace office::libreoffice {

QString documentName(const Reference<css::frame::XModel>& model) {
    const QString url = qs(model->getURL());
    if (!url.isEmpty()) return QUrl(url).fileName();
    Reference<css::frame::XTitle> title(model, UNO_QUERY);
    return title.is() ? qs(title->getTitle()) : QString();
}

QString documentFullName(const Reference<css::frame::XModel>& model) {
    const QUrl url(qs(model->getURL()));
    if (url.isEmpty()) return documentName(model);
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

QString productVersion(const Session& session) {
    auto provider = css::configuration::theDefaultProvider::get(session.context());
    const Any arg(
        css::beans::NamedValue(ous("nodepath"), Any(ous("/org.openoffice.Setup/Product"))));
    Reference<css::container::XNameAccess> product(
        provider->createInstanceWithArguments(ous("com.sun.star.configuration.ConfigurationAccess"),
                                              Sequence<Any>(&arg, 1)),
        UNO_QUERY_THROW);
    OUString version;
    product->getByName(ous("ooSetupVersion")) >>= version;
    return qs(version);
}

std::vector<Reference<css::frame::XModel>> DocumentSet::all() const {
    std::vector<Reference<css::frame::XModel>> out;
    for (const auto& c : openComponents(*session_))
        if (supports(c, service_)) out.emplace_back(c, UNO_QUERY_THROW);
    return out;
}

Reference<css::frame::XModel> DocumentSet::active() const {
    Reference<css::frame::XModel> current(session_->desktop()->getCurrentComponent(), UNO_QUERY);
    if (current.is() && supports(current, service_)) return lastActive_ = current;
    const auto open = all();
    for (const auto& m : open)
        if (lastActive_.is() && m == lastActive_) return lastActive_;
    lastActive_ = open.empty() ? Reference<css::frame::XModel>() : open.front();
    return lastActive_;
}

}  // namespace office::libreoffice
