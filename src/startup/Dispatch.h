#pragma once

#include <QString>

#include "office/Excel.h"
#include "startup/Run.h"

namespace startup {

inline const QString HelpAddress = QStringLiteral("https://corvane.app/help");
inline const QString FaqAddress = QStringLiteral("https://corvane.app/faq");
inline const QString PurchaseAddress = QStringLiteral("https://corvane.app/buy");

// Attaches to the running applications and fills the Office context, every error ignored.
void attachOffice(office::Host& host, office::OfficeContext& context);

// The whole start-up: attach, count, dispatch `code`.
void startUp(const QString& code, Run& run);

// Routes a code to its handler; a code not in the table does nothing.
void dispatch(const QString& code, Run& run);

// Batch mode: the checks, the splash, the state sheet, the main form.
void startBatchMode(Run& run);

bool RangesOverlap(const office::Excel& excel, const office::Range& a, const office::Range& b);

// True when a chart object's cells (top-left to bottom-right, both included) meet the selection.
bool selectionCoversEmbeddedChart(const office::Excel& excel);

void OpenWorkbookDialog(Run& run);

void OpenWebPage(Run& run, const QString& address);

}  // namespace startup
