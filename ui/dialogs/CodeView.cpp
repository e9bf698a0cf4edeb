#include "ui/dialogs/CodeView.h"

#include <QFontDatabase>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBlock>

// The margin beside the text that shows the line numbers.
class TLineNumbers : public QWidget {
public:
    explicit TLineNumbers(TCodeView* view)
        : QWidget(view)
        , view_(view)
    {
    }
    QSize sizeHint() const override { return QSize(view_->LineNumberWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override { view_->PaintLineNumbers(event); }

private:
    TCodeView* view_;
};

TCodeView::TCodeView(QWidget* parent)
    : QPlainTextEdit(parent)
    , lineNumbers_(new TLineNumbers(this))
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // A fixed-width font first, then one that has the Chinese characters.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({ font.family(), "WenQuanYi Micro Hei Mono", "WenQuanYi Micro Hei", "Noto Sans Mono CJK SC" });
    setFont(font);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(LineNumberWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            lineNumbers_->scroll(0, dy);
        else
            lineNumbers_->update(0, rect.y(), lineNumbers_->width(), rect.height());
    });
    setViewportMargins(LineNumberWidth(), 0, 0, 0);
}

int TCodeView::LineNumberWidth() const
{
    int digits = QString::number(std::max(1, blockCount())).size();
    return 10 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void TCodeView::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    QRect area = contentsRect();
    lineNumbers_->setGeometry(QRect(area.left(), area.top(), LineNumberWidth(), area.height()));
}

void TCodeView::PaintLineNumbers(QPaintEvent* event)
{
    QPainter painter(lineNumbers_);
    painter.fillRect(event->rect(), QColor(240, 240, 240));
    painter.setPen(QColor(128, 128, 128));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    int bottom = top + qRound(blockBoundingRect(block).height());
    while (block.isValid() && top <= event->rect().bottom()) {
        if (block.isVisible() && bottom >= event->rect().top())
            painter.drawText(0, top, lineNumbers_->width() - 5, fontMetrics().height(), Qt::AlignRight,
                QString::number(block.blockNumber() + 1));
        block = block.next();
        top = bottom;
        bottom = top + qRound(blockBoundingRect(block).height());
    }
}

namespace {

QTextCharFormat Format(const QColor& colour, bool bold = false, bool italic = false)
{
    QTextCharFormat format;
    format.setForeground(colour);
    if (bold)
        format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

void Apply(QSyntaxHighlighter& highlighter, const QString& text, const QRegularExpression& pattern,
    const QTextCharFormat& format, void (QSyntaxHighlighter::*set)(int, int, const QTextCharFormat&))
{
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        auto match = it.next();
        (highlighter.*set)(static_cast<int>(match.capturedStart()), static_cast<int>(match.capturedLength()), format);
    }
}

} // namespace

TCodeHighlighter::TCodeHighlighter(QTextDocument* document, TLanguage language)
    : QSyntaxHighlighter(document)
    , language_(language)
{
}

void TCodeHighlighter::highlightBlock(const QString& text)
{
    if (language_ == TLanguage::Java)
        HighlightJava(text);
    else
        HighlightXml(text);
}

void TCodeHighlighter::HighlightJava(const QString& text)
{
    static const QRegularExpression keywords(
        "\\b(abstract|boolean|break|catch|class|else|extends|final|finally|float|for|if|implements|import|int|new|"
        "null|package|private|protected|public|return|static|this|throw|throws|try|void|while)\\b");
    static const QRegularExpression strings("\"(\\\\.|[^\"\\\\])*\"");
    static const QRegularExpression annotations("@\\w+");
    static const QRegularExpression lineComment("//[^\\n]*");
    auto set =
        static_cast<void (QSyntaxHighlighter::*)(int, int, const QTextCharFormat&)>(&QSyntaxHighlighter::setFormat);
    Apply(*this, text, keywords, Format(QColor(0, 0, 160), true), set);
    Apply(*this, text, annotations, Format(QColor(128, 128, 0)), set);
    Apply(*this, text, strings, Format(QColor(0, 128, 0)), set);
    Apply(*this, text, lineComment, Format(QColor(128, 128, 128), false, true), set);
    // Block comments may span lines: the block state says "inside one".
    QTextCharFormat comment = Format(QColor(128, 128, 128), false, true);
    int start = previousBlockState() == 1 ? 0 : static_cast<int>(text.indexOf("/*"));
    setCurrentBlockState(0);
    while (start >= 0) {
        int end = static_cast<int>(text.indexOf("*/", start + (previousBlockState() == 1 && start == 0 ? 0 : 2)));
        if (end < 0) {
            setCurrentBlockState(1);
            setFormat(start, static_cast<int>(text.size()) - start, comment);
            break;
        }
        setFormat(start, end + 2 - start, comment);
        start = static_cast<int>(text.indexOf("/*", end + 2));
    }
}

void TCodeHighlighter::HighlightXml(const QString& text)
{
    static const QRegularExpression tags("</?[\\w:-]+|/?>|<\\?xml|\\?>|<!DOCTYPE");
    static const QRegularExpression attributes("\\b[\\w:-]+(?==)");
    static const QRegularExpression values("\"[^\"]*\"");
    auto set =
        static_cast<void (QSyntaxHighlighter::*)(int, int, const QTextCharFormat&)>(&QSyntaxHighlighter::setFormat);
    Apply(*this, text, tags, Format(QColor(0, 0, 160), true), set);
    Apply(*this, text, attributes, Format(QColor(160, 0, 160)), set);
    Apply(*this, text, values, Format(QColor(0, 128, 0)), set);
    QTextCharFormat comment = Format(QColor(128, 128, 128), false, true);
    int start = previousBlockState() == 1 ? 0 : static_cast<int>(text.indexOf("<!--"));
    setCurrentBlockState(0);
    while (start >= 0) {
        int end = static_cast<int>(text.indexOf("-->", start));
        if (end < 0) {
            setCurrentBlockState(1);
            setFormat(start, static_cast<int>(text.size()) - start, comment);
            break;
        }
        setFormat(start, end + 3 - start, comment);
        start = static_cast<int>(text.indexOf("<!--", end + 3));
    }
}
