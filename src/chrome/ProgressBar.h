#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace chrome {

// The program's own progress bar: a value from 0 to 100 and a caption drawn on the bar
// (the steps write "45%"). reset() empties it: value 0, no caption.
class ProgressBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(QColor barColor READ barColor WRITE setBarColor)
  public:
    static constexpr int minimum = 0;
    static constexpr int maximum = 100;

    explicit ProgressBar(QWidget* parent = nullptr);

    int value() const { return value_; }
    QString caption() const { return caption_; }
    QColor barColor() const { return barColor_; }
    void setBarColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  public slots:
    // Values outside 0..100 are clamped, so a caller's rounding can never break the bar.
    void setValue(int value);
    void setCaption(const QString& caption);
    void reset();

  signals:
    void valueChanged(int value);
    void captionChanged(const QString& caption);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int value_ = 0;
    QString caption_;
    QColor barColor_;
};

}  // namespace chrome
