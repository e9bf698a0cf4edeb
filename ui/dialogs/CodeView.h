#pragma once
#include <QPlainTextEdit>
#include <QSyntaxHighlighter>

// A read-only view of generated code with line numbers in a margin.
class TCodeView : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TCodeView(QWidget* parent = nullptr);
    int LineNumberWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TLineNumbers;
    void PaintLineNumbers(QPaintEvent* event);

    QWidget* lineNumbers_;
};

// Colours Java or XML: keywords, strings, comments and tags, enough to read
// generated code at a glance.
class TCodeHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    enum class TLanguage { Java, Xml };
    TCodeHighlighter(QTextDocument* document, TLanguage language);

protected:
    void highlightBlock(const QString& text) override;

private:
    void HighlightJava(const QString& text);
    void HighlightXml(const QString& text);
    TLanguage language_;
};
