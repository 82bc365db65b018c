#pragma once

#include <QString>

#include <memory>

#include "imaging/Image.h"

namespace imaging {

// The document information a PDF carries (shown by viewers as its properties).
struct PdfInfo {
    QString title;
    QString author;
    QString creator;   // the program that made the content
    QString producer;  // the program that wrote the file
};

enum class TextAlign { Left, Center, Right };

// Writes a PDF page by page. Every length is in centimetres from the bottom-left corner of the
// page, heights measured upwards; font sizes are in points. Texts use a font with Arial's
// metrics ("Arial", which fontconfig resolves to Liberation Sans) embedded in the file.
//
// The file is built under a temporary name and only appears under its own name once finish()
// succeeds; a writer destroyed before that leaves nothing there and a previous file intact.
// The whole document is held in memory until finish().
class PdfWriter {
  public:
    PdfWriter();
    ~PdfWriter();
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;

    // False (see errorString()) when the file cannot be created in its folder.
    bool start(const QString& path, const PdfInfo& info);

    // The size of the pages opened from now on; 21 x 29.7 until set.
    void setPageSize(double widthCm, double heightCm);
    // Opens a page, closing the open one if any. False when no file is started.
    bool newPage();
    void endPage();

    // Draws the image stretched over the rectangle whose bottom-left corner is (x, y).
    // False when no page is open or the image is null.
    bool drawImage(const Image& image, double x, double y, double width, double height);
    // Draws one line of text with its baseline at height y; x is where the text starts, its
    // middle or its end, by `align`. False when no page is open.
    bool drawText(double x, double y, const QString& text, double fontSizePt,
                  TextAlign align = TextAlign::Left);

    // Completes the file (a single blank page when none was opened) and moves it to its name.
    bool finish();

    QString errorString() const;

  private:
    struct State;
    std::unique_ptr<State> m_state;
    QString m_error;
};

}  // namespace imaging
