#include "mainform/Exports.h"

#include "platform/Prompt.h"

namespace mainform {

void MissingExports::missing(const QString& what) {
    prompt_.warn(QStringLiteral("%1 is not available in this version of Corvane yet.").arg(what));
}

}  // namespace mainform
