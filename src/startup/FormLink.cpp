#include "startup/FormLink.h"

#include <QLineEdit>

#include "mainform/ListCharts.h"
#include "mainform/UserformObj.h"

namespace startup {

run::FormLink mainFormLink(Run& run) {
    run::FormLink link;
    QPointer<mainform::UserformObj> f = run.mainForm;
    if (!f || !f->isVisible()) return link;
    link.list = f->list();
    link.predefinedSlides = [f] { return f && f->predefinedSlides(); };
    link.minimise = [f] {
        if (f) f->showMinimized();
    };
    link.restore = [f] {
        if (f) f->showNormal();
    };
    link.unload = [f] {
        if (f) f->close();
    };
    link.setActiveFile = [f](const QString& name) {
        if (!f) return;
        if (auto* text = f->findChild<QLineEdit*>(QStringLiteral("Text2"))) text->setText(name);
    };
    return link;
}

}  // namespace startup
