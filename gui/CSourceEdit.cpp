// The source editor's text box: the colouring, the line-number margin and the error line.
#include "gui/CSourceEdit.h"

#include "app/SongSyntax.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

#include <array>

namespace {

constexpr int kMarginPadding = 6;
const QColor kErrorColour(0xd0, 0x30, 0x30);

bool IsDark(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

// One format for each kind of word, readable on the light and on the dark looks.
QTextCharFormat Format(CMSyntaxKind kind, bool dark)
{
    struct Style {
        QRgb light;
        QRgb dark;
        bool bold;
        bool italic;
    };
    static constexpr std::array<Style, 8> kStyles = {{
        {0x1f4e9c, 0x7fb2ff, true, false},   // block name
        {0x8a3ab9, 0xd29bff, true, false},   // label
        {0x0b6e4f, 0x6ee0b0, true, false},   // chord root
        {0x0b6e4f, 0x6ee0b0, false, false},  // chord suffix
        {0xb35900, 0xffb266, true, false},   // bar sign
        {0x1f4e9c, 0x7fb2ff, false, false},  // setting
        {0xa31515, 0xf08c8c, false, false},  // quoted
        {0x6a737d, 0x9aa3ad, false, true},   // comment
    }};
    const Style& style = kStyles.at(static_cast<std::size_t>(kind));
    QTextCharFormat format;
    format.setForeground(QColor(dark ? style.dark : style.light));
    if (style.bold)
        format.setFontWeight(QFont::Bold);
    format.setFontItalic(style.italic);
    return format;
}

}  // namespace

class CLineNumberArea : public QWidget {
public:
    explicit CLineNumberArea(CSourceEdit* editor) : QWidget(editor), m_editor(editor) {}
    QSize sizeHint() const override { return QSize(m_editor->NumberAreaWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override { m_editor->PaintNumbers(event); }

private:
    CSourceEdit* m_editor;
};

CSongHighlighter::CSongHighlighter(QTextDocument* document, bool dark)
    : QSyntaxHighlighter(document), m_dark(dark)
{
}

void CSongHighlighter::highlightBlock(const QString& text)
{
    // The words are found in the line's UTF-8 bytes; each byte is mapped back to its character.
    const QByteArray bytes = text.toUtf8();
    std::vector<int> characterAt;
    characterAt.reserve(static_cast<std::size_t>(bytes.size()) + 1);
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const int width = c < 0x80                    ? 1
                          : c < 0x800                 ? 2
                          : QChar::isHighSurrogate(c) ? 4
                          : QChar::isLowSurrogate(c)  ? 0
                                                      : 3;
        characterAt.insert(characterAt.end(), static_cast<std::size_t>(width), i);
    }
    characterAt.push_back(static_cast<int>(text.size()));
    int state = std::max(previousBlockState(), 0);
    const std::string_view line(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const std::vector<CMSyntaxSpan> spans = SongSyntaxSpans(line, state);
    setCurrentBlockState(state);
    if (characterAt.size() != static_cast<std::size_t>(bytes.size()) + 1)
        return;  // a broken surrogate pair: better no colours than wrong ones
    for (const CMSyntaxSpan& span : spans) {
        const auto first = static_cast<std::size_t>(span.start);
        const int start = characterAt[first];
        const int end = characterAt[first + static_cast<std::size_t>(span.length)];
        setFormat(start, end - start, Format(span.kind, m_dark));
    }
}

CSourceEdit::CSourceEdit(QWidget* parent)
    : QPlainTextEdit(parent), m_numbers(new CLineNumberArea(this))
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(std::max(font.pointSizeF(), 10.0));
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 4);
    new CSongHighlighter(document(), IsDark(palette()));
    connect(this, &QPlainTextEdit::blockCountChanged, this,
            [this] { setViewportMargins(NumberAreaWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, &CSourceEdit::UpdateNumberArea);
    setViewportMargins(NumberAreaWidth(), 0, 0, 0);
}

int CSourceEdit::NumberAreaWidth() const
{
    const int digits = QString::number(std::max(1, blockCount())).size();
    return 2 * kMarginPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void CSourceEdit::UpdateNumberArea(const QRect& rect, int dy)
{
    if (dy != 0)
        m_numbers->scroll(0, dy);
    else
        m_numbers->update(0, rect.y(), m_numbers->width(), rect.height());
}

void CSourceEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_numbers->setGeometry(area.left(), area.top(), NumberAreaWidth(), area.height());
}

void CSourceEdit::PaintNumbers(QPaintEvent* event)
{
    QPainter painter(m_numbers);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        const int line = block.blockNumber() + 1;
        if (block.isVisible() && top + height >= event->rect().top()) {
            const bool error = line == m_errorLine;
            QFont font = painter.font();
            font.setBold(error);
            painter.setFont(font);
            painter.setPen(error ? kErrorColour : palette().color(QPalette::PlaceholderText));
            painter.drawText(0, top, m_numbers->width() - kMarginPadding, fontMetrics().height(),
                             Qt::AlignRight, QString::number(line));
        }
        block = block.next();
        top += height;
    }
}

void CSourceEdit::MarkErrorLine(int line)
{
    m_errorLine = line;
    QList<QTextEdit::ExtraSelection> marks;
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (line > 0 && block.isValid()) {
        QTextEdit::ExtraSelection mark;
        QColor tint = kErrorColour;
        tint.setAlpha(60);
        mark.format.setBackground(tint);
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        mark.cursor = QTextCursor(block);
        marks.append(mark);
    }
    setExtraSelections(marks);
    m_numbers->update();
}
