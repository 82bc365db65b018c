#include "mainform/HelpTexts.h"

namespace mainform {

std::map<int, QString> BuildHelpTexts() {
    std::map<int, QString> texts;
    texts[0] = QStringLiteral(
        " Corvane allows to attach and edit a caption for each selected item in the list.The "
        "caption may serve"
        "\r\n\r\n"
        "1. For documentation purpose"
        "\r\n\r\n"
        "2. As the title of the relevant slide (if you choose to)"
        "\r\n\r\n"
        "3. As the caption under the element in Word (if you choose to)"
        "\r\n\r\n"
        "4. As the HTML or PDF titles (if you choose to)");
    texts[1] = QStringLiteral(
        " Corvane allows you to control the exact positioning and sizing of the exported items "
        "within  the target PowerPoint slides."
        "\r\n\r\n"
        " This is accomplished through a set of 3 sliders to control 3 parameters:"
        "\r\n"
        "  - Vertical alignement relative to the top edge of the slide "
        "\r\n"
        "  - Horizontal alignement relative to the left edge of the slide "
        "\r\n"
        " - Width size  as a % of the slide width "
        "\r\n\r\n"
        " In order to prevent distortion, Corvane will always paste the object while respecting "
        "the original"
        "\r\n"
        "ratio between the width and the height.  This is why, for geometrical reasons, the actual "
        "pasted item may differ"
        "\r\n"
        " from the assigned parameters"
        "\r\n\r\n"
        " The layout is saved along with the Excel file to which it refers  and operational when "
        "the file is reopened");
    texts[2] = QStringLiteral(
        " In its default mode, Corvane exports the Excel selected items to automatically"
        "\r\n"
        " generated new slides at the end of the active presentation file. "
        "\r\n\r\n"
        " But you may instead choose to export the selected items to certain fixed slides "
        "\r\n"
        " numbers in the active presentation. "
        "\r\n\r\n"
        " Slides number for each selected item, are entered in  from blue input box that"
        "\r\n"
        " popups when this option is selected");
    texts[4] = QStringLiteral(
        "Editable charts or tables may be altered within PowerPoint, independently of the values "
        "and formats in Excel."
        "\r\n\r\n"
        " You may only change formats and labels but not the logic behind the charts"
        "\r\n\r\n"
        " Office Version 2016 has been found to be unstable when using this format, due probably "
        "to a version bug");
    return texts;
}

}  // namespace mainform
