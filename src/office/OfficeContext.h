#pragma once

#include <QString>
#include <memory>

#include "office/Excel.h"
#include "office/PowerPoint.h"

namespace office {

// What start-up found running; an empty field means it was not available.
struct OfficeContext {
    std::shared_ptr<Excel> excel;
    std::shared_ptr<PowerPoint> powerPoint;
    std::shared_ptr<Workbook> workbook;
    QString startSheetName;
    std::shared_ptr<Presentation> presentation;
    int itemCount = 0;
};

}  // namespace office
