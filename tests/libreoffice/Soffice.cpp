#include "Soffice.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <csignal>

#include <com/sun/star/awt/Rectangle.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/deployment/DeploymentException.hpp>
#include <com/sun/star/deployment/ExtensionManager.hpp>
#include <com/sun/star/deployment/XPackage.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XNamedRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/CellRangeAddress.hpp>
#include <com/sun/star/table/XTableChartsSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XProtectable.hpp>

#include <com/sun/star/task/XInteractionApprove.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/task/XInteractionRequest.hpp>
#include <com/sun/star/ucb/XCommandEnvironment.hpp>
#include <com/sun/star/ucb/XProgressHandler.hpp>
#include <cppuhelper/exc_hlp.hxx>
#include <cppuhelper/implbase2.hxx>

#include "office/Error.h"

namespace test {

namespace lo = office::libreoffice;
namespace css = com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using lo::ous;

namespace {

// The pipe answers within about 2 s of a start with a new profile; allow far more on a busy
// machine, but not forever.
constexpr int Attempts = 600;
constexpr int PollMs = 100;

QString startError;

}  // namespace

std::unique_ptr<Soffice> Soffice::start(QString* why) {
    auto fail = [&](const QString& text) -> std::unique_ptr<Soffice> {
        if (why) *why = text;
        return nullptr;
    };
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) return fail(QStringLiteral("LibreOffice (soffice) is not installed"));
    std::unique_ptr<Soffice> s(new Soffice);
    if (!s->dir_.isValid()) return fail(QStringLiteral("no temporary folder"));
    s->pipe_ = QStringLiteral("corvane-test-%1-%2")
                   .arg(QCoreApplication::applicationPid())
                   .arg(QFileInfo(s->dir_.path()).fileName());
    QProcess process;
    process.setProgram(soffice);
    process.setArguments(
        {QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--norestore"),
         QStringLiteral("--nologo"), QStringLiteral("--nodefault"),
         QStringLiteral("-env:UserInstallation=") +
             QUrl::fromLocalFile(s->dir_.filePath(QStringLiteral("profile"))).toString(),
         QStringLiteral("--accept=pipe,name=%1;urp;StarOffice.ComponentContext").arg(s->pipe_)});
    // Its own process group, so that stopping it reaches soffice.bin under the launcher too;
    // and SIGPIPE as LibreOffice expects it, not ignored as in this process once it attached
    // (LibreOffice started with SIGPIPE ignored drops its UNO connections after a while).
    process.setChildProcessModifier([] {
        setsid();
        std::signal(SIGPIPE, SIG_DFL);
    });
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(s->dir_.filePath(QStringLiteral("soffice.log")));
    qint64 pid = 0;
    if (!process.startDetached(&pid)) return fail(QStringLiteral("soffice did not start"));
    s->pid_ = static_cast<pid_t>(pid);
    // Bounded poll of the external process until its pipe answers.
    for (int i = 0; i < Attempts; ++i) {
        try {
            s->session_ = lo::Session::connect(s->pipe_);
            return s;
        } catch (const office::Error&) {
            QThread::msleep(PollMs);
        }
    }
    s->stop();
    return fail(QStringLiteral("LibreOffice did not answer on its pipe"));
}

Soffice* Soffice::shared() {
    static std::unique_ptr<Soffice> office = start(&startError);
    return office.get();
}

QString Soffice::reason() {
    return startError;
}

std::shared_ptr<lo::Session> Soffice::session() {
    if (!session_ || !session_->alive()) session_ = lo::Session::connect(pipe_);
    return session_;
}

void Soffice::stop() {
    session_.reset();
    if (pid_ <= 0) return;
    // The group setsid() made for it: the launcher and soffice.bin under it. Never our own.
    const pid_t group = getpgid(pid_);
    if (group > 0 && group != getpgrp()) {
        ::kill(-group, SIGKILL);
        // Gone before its profile folder is removed; bounded, as it is an outside process.
        for (int i = 0; i < Attempts && ::kill(-group, 0) == 0; ++i) QThread::msleep(10);
    } else {
        ::kill(pid_, SIGKILL);
    }
    pid_ = 0;
}

Soffice::~Soffice() {
    stop();
}

// ---- fixtures

namespace {

Reference<css::sheet::XSpreadsheet> sheetAt(const Reference<css::sheet::XSpreadsheetDocument>& doc,
                                            int index) {
    Reference<css::container::XIndexAccess> all(doc->getSheets(), UNO_QUERY_THROW);
    return Reference<css::sheet::XSpreadsheet>(all->getByIndex(index), UNO_QUERY_THROW);
}

void put(const Reference<css::sheet::XSpreadsheet>& sheet, int col, int row,
         std::vector<std::vector<Any>> rows) {
    std::vector<Sequence<Any>> seqs;
    for (auto& r : rows) seqs.emplace_back(r.data(), static_cast<sal_Int32>(r.size()));
    Reference<css::sheet::XCellRangeData> data(
        sheet->getCellRangeByPosition(col, row, col + static_cast<int>(rows[0].size()) - 1,
                                      row + static_cast<int>(rows.size()) - 1),
        UNO_QUERY_THROW);
    data->setDataArray(Sequence<Sequence<Any>>(seqs.data(), static_cast<sal_Int32>(seqs.size())));
}

Any s(const char* text) {
    return Any(ous(text));
}
Any n(double v) {
    return Any(v);
}

void chart(const Reference<css::sheet::XSpreadsheet>& sheet, int sheetIndex, const char* name,
           css::awt::Rectangle where, css::table::CellRangeAddress source) {
    Reference<css::table::XTableChartsSupplier> supplier(sheet, UNO_QUERY_THROW);
    supplier->getCharts()->addNewByName(
        ous(name), where, Sequence<css::table::CellRangeAddress>(&source, 1), true, true);
    (void)sheetIndex;
}

void name(const Reference<css::uno::XInterface>& owner, const char* name, const char* content) {
    Reference<css::beans::XPropertySet> props(owner, UNO_QUERY_THROW);
    Reference<css::sheet::XNamedRanges> ranges(props->getPropertyValue(ous("NamedRanges")),
                                               UNO_QUERY_THROW);
    ranges->addNewByName(ous(name), ous(content), css::table::CellAddress(0, 0, 0), 0);
}

css::beans::PropertyValue prop(const char* name, const Any& value) {
    css::beans::PropertyValue p;
    p.Name = ous(name);
    p.Value = value;
    return p;
}

}  // namespace

void buildFixture(lo::Session& session, const QString& path) {
    Reference<css::frame::XComponentLoader> loader(session.desktop(), UNO_QUERY_THROW);
    auto component =
        loader->loadComponentFromURL(ous("private:factory/scalc"), ous("_blank"), 0, {});
    Reference<css::sheet::XSpreadsheetDocument> doc(component, UNO_QUERY_THROW);
    auto sheets = doc->getSheets();
    Reference<css::container::XNamed>(sheetAt(doc, 0), UNO_QUERY_THROW)->setName(ous("Data"));
    sheets->insertNewByName(ous("Trend"), 1);
    sheets->insertNewByName(ous("Hidden"), 2);
    sheets->insertNewByName(ous("My data"), 3);

    auto data = sheetAt(doc, 0);
    put(data, 0, 0,
        {{s("Region"), s("Revenue"), s("Costs")},
         {s("North"), n(12.5), n(7)},
         {s("South"), n(9), n(4)},
         {s("East"), n(15), n(8)},
         {s("West"), n(11), n(6)}});
    put(data, 4, 19, {{n(1), n(2)}, {n(3), n(4)}, {n(5), n(6)}});
    chart(data, 0, "Revenue", css::awt::Rectangle(12000, 1000, 8000, 5000),
          css::table::CellRangeAddress(0, 0, 0, 1, 4));
    chart(data, 0, "Costs", css::awt::Rectangle(12000, 8000, 8000, 5000),
          css::table::CellRangeAddress(0, 0, 0, 2, 4));

    auto trend = sheetAt(doc, 1);
    put(trend, 0, 0, {{s("Year"), s("Sales")}, {n(2022), n(3)}, {n(2023), n(5)}, {n(2024), n(8)}});
    chart(trend, 1, "Line", css::awt::Rectangle(5000, 1000, 8000, 5000),
          css::table::CellRangeAddress(1, 0, 0, 1, 3));

    auto hidden = sheetAt(doc, 2);
    put(hidden, 0, 0, {{s("a"), n(1)}, {s("b"), n(2)}, {s("c"), n(3)}});
    chart(hidden, 2, "Secret", css::awt::Rectangle(5000, 1000, 8000, 5000),
          css::table::CellRangeAddress(2, 0, 0, 1, 2));
    Reference<css::beans::XPropertySet>(hidden, UNO_QUERY_THROW)
        ->setPropertyValue(ous("IsVisible"), Any(false));

    auto mine = sheetAt(doc, 3);
    put(mine, 0, 0, {{s("00123")}, {s("TRUE")}});

    name(doc, "Totals", "$Data.$A$1:$B$5");
    name(doc, "Pair", "$Data.$A$1:$A$2~$Data.$C$1:$C$2");
    name(doc, "Rate", "0.2");
    name(doc, "HiddenRef", "$Hidden.$A$1:$A$3");
    name(data, "Block", "$Data.$E$20:$F$22");
    name(mine, "Local", "$'My data'.$A$1:$A$2");

    const bool xlsx = path.endsWith(QLatin1String(".xlsx"));
    const css::beans::PropertyValue args[] = {
        prop("FilterName", s(xlsx ? "Calc MS Excel 2007 XML" : "calc8")),
        prop("Overwrite", Any(true))};
    Reference<css::frame::XStorable>(doc, UNO_QUERY_THROW)
        ->storeToURL(lo::ous(QUrl::fromLocalFile(path).toString()),
                     Sequence<css::beans::PropertyValue>(args, 2));
    Reference<css::util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
}

void newWorkbook(lo::Session& session) {
    Reference<css::frame::XComponentLoader> loader(session.desktop(), UNO_QUERY_THROW);
    loader->loadComponentFromURL(ous("private:factory/scalc"), ous("_blank"), 0, {});
}

namespace {
// Answers every question of the installation with "yes", as a person would for our own package.
class Approving
    : public cppu::WeakImplHelper2<css::ucb::XCommandEnvironment, css::task::XInteractionHandler> {
  public:
    Reference<css::task::XInteractionHandler> SAL_CALL getInteractionHandler() override {
        return this;
    }
    Reference<css::ucb::XProgressHandler> SAL_CALL getProgressHandler() override { return {}; }
    void SAL_CALL handle(const Reference<css::task::XInteractionRequest>& request) override {
        for (const auto& c : request->getContinuations()) {
            Reference<css::task::XInteractionApprove> approve(c, UNO_QUERY);
            if (approve.is()) {
                approve->select();
                return;
            }
        }
    }
};
}  // namespace

void newChartWorkbook(lo::Session& session, int count) {
    Reference<css::frame::XComponentLoader> loader(session.desktop(), UNO_QUERY_THROW);
    Reference<css::sheet::XSpreadsheetDocument> doc(
        loader->loadComponentFromURL(ous("private:factory/scalc"), ous("_blank"), 0, {}),
        UNO_QUERY_THROW);
    auto sheet = sheetAt(doc, 0);
    put(sheet, 0, 0, {{s("Item"), s("Value")}, {s("a"), n(3)}, {s("b"), n(5)}, {s("c"), n(2)}});
    for (int i = 0; i < count; ++i)
        chart(sheet, 0, QStringLiteral("Chart %1").arg(i + 1).toUtf8().constData(),
              css::awt::Rectangle(6000, 1000 + i * 5500, 8000, 5000),
              css::table::CellRangeAddress(0, 0, 0, 1, 3));
}

QStringList addExtension(lo::Session& session, const QString& path) {
    auto manager = css::deployment::ExtensionManager::get(session.context());
    try {
        manager->addExtension(lo::ous(QUrl::fromLocalFile(path).toString()), {}, ous("user"),
                              manager->createAbortChannel(), new Approving);
    } catch (const css::uno::Exception& e) {
        const Any caught = cppu::getCaughtException();
        QString why = lo::qs(caught.getValueTypeName() + " " + e.Message);
        css::deployment::DeploymentException d;
        css::uno::Exception cause;
        if ((caught >>= d) && (d.Cause >>= cause))
            why += " / " + lo::qs(d.Cause.getValueTypeName() + " " + cause.Message);
        throw std::runtime_error("the extension did not install: " + why.toStdString());
    }
    QStringList ids;
    for (const auto& p :
         manager->getDeployedExtensions(ous("user"), manager->createAbortChannel(), nullptr))
        if (p.is()) ids << lo::qs(p->getIdentifier().Value);
    return ids;
}

void closeAll(lo::Session& session) {
    std::vector<Reference<css::util::XCloseable>> open;
    auto e = session.desktop()->getComponents()->createEnumeration();
    while (e->hasMoreElements()) {
        Reference<css::util::XCloseable> c(e->nextElement(), UNO_QUERY);
        if (c.is()) open.push_back(c);
    }
    for (auto& c : open) {
        Reference<css::frame::XModel> model(c, UNO_QUERY);
        if (model.is())
            while (model->hasControllersLocked()) model->unlockControllers();
        c->close(true);
    }
}

namespace {
Reference<css::frame::XModel> opened(lo::Session& session, const QString& path) {
    const rtl::OUString url = lo::ous(QUrl::fromLocalFile(path).toString());
    auto e = session.desktop()->getComponents()->createEnumeration();
    while (e->hasMoreElements()) {
        Reference<css::frame::XModel> model(e->nextElement(), UNO_QUERY);
        if (model.is() && model->getURL() == url) return model;
    }
    throw std::runtime_error("not open: " + path.toStdString());
}
}  // namespace

void saveAndClose(lo::Session& session, const QString& path) {
    auto model = opened(session, path);
    Reference<css::frame::XStorable>(model, UNO_QUERY_THROW)->store();
    Reference<css::util::XCloseable>(model, UNO_QUERY_THROW)->close(true);
}

void protect(lo::Session& session, const QString& path) {
    Reference<css::util::XProtectable>(opened(session, path), UNO_QUERY_THROW)
        ->protect(rtl::OUString());
}

bool controllersLocked(lo::Session& session, const QString& path) {
    return opened(session, path)->hasControllersLocked();
}

int charColor(lo::Session& session, const QString& path, const QString& sheet, int row,
              int column) {
    Reference<css::sheet::XSpreadsheetDocument> doc(opened(session, path), UNO_QUERY_THROW);
    Reference<css::sheet::XSpreadsheet> s(doc->getSheets()->getByName(lo::ous(sheet)),
                                          UNO_QUERY_THROW);
    sal_Int32 color = -1;
    Reference<css::beans::XPropertySet>(s->getCellByPosition(column - 1, row - 1), UNO_QUERY_THROW)
        ->getPropertyValue(ous("CharColor")) >>= color;
    return color;
}

}  // namespace test
