// CSourceEdit: the source editor's text box: a plain-text editor in a monospace font with the
// line numbers in a margin at its left, the song language coloured, and one line that can be
// marked as the compiler's error line (a tinted row and a red number).
#pragma once

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>

// Colours the song language, line by line, with the words SongSyntaxSpans finds.
class CSongHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // `dark`: the colours for a dark background.
    CSongHighlighter(QTextDocument* document, bool dark);

protected:
    void highlightBlock(const QString& text) override;

private:
    bool m_dark;
};

class CSourceEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CSourceEdit(QWidget* parent = nullptr);

    // Marks line `line` (from 1) as the error line; 0 marks none.
    void MarkErrorLine(int line);
    int ErrorLine() const { return m_errorLine; }
    int NumberAreaWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class CLineNumberArea;
    void PaintNumbers(QPaintEvent* event);
    void UpdateNumberArea(const QRect& rect, int dy);

    QWidget* m_numbers;
    int m_errorLine = 0;
};
