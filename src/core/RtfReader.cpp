#include "RtfReader.h"

#include "Cp1251.h"
#include "RichText.h"

#include <QColor>
#include <QImage>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextImageFormat>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace {

// \ansi without \ansicpg, or a font of the default character set, meant the code page
// of the Windows the file was written on: the Russian one, for this course.
constexpr int kSystemCodePage = 1251;
// Windows' own number for the Symbol character set.
constexpr int kSymbolCodePage = 42;
// Deeper groups share their parent's state, so a hostile file cannot exhaust memory
// through the group stack; real files nest a few dozen deep.
constexpr std::size_t kMaxDepth = 512;
// Different character or paragraph formats kept for one text.
constexpr std::size_t kMaxFormats = 65536;

// Sizes and indents are in twips (1/1440 inch); the document measures in pixels at 96 dpi.
double twipsToPixels(int twips)
{
    return twips / 15.0;
}

int charsetCodePage(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 2: return kSymbolCodePage;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0; // 1 (default) and unknown sets: the document's code page
    }
}

QByteArray codecName(int codePage)
{
    switch (codePage) {
    case 10000: return "macintosh";
    case 10007: return "x-mac-cyrillic";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 65001: return "UTF-8";
    default: break;
    }
    if (codePage >= 28591 && codePage <= 28606)
        return "ISO-8859-" + QByteArray::number(codePage - 28590);
    if (codePage < 1000)
        return "IBM" + QByteArray::number(codePage);
    return "windows-" + QByteArray::number(codePage);
}

// Windows' font substitutes: "Arial Cyr" is Arial with the Cyrillic character set.
QString substituteFontName(QString name)
{
    name = name.trimmed();
    static const char *const suffixes[] = {" Cyr", " CE", " Greek", " Tur", " Baltic"};
    for (const char *suffix : suffixes) {
        if (name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return name.chopped(qsizetype(std::char_traits<char>::length(suffix)));
    }
    return name;
}

enum class Destination { Text, Skip, FontTable, ColorTable, Picture };

struct CharState {
    int font = -1; // -1: the document's default font (\deff)
    int halfPoints = 0; // 0: size not set, the view's own size shows
    int color = 0;
    int background = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
};

struct GroupState {
    CharState chr;
    ParaState para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // \uc
    bool starPending = false; // "\*" seen: the next word names an ignorable destination
};

struct FontEntry {
    QString name;
    int charset = -1;
    int codePage = 0; // \cpg
};

enum class Word {
    FontTable, ColorTable, Picture, SkipDestination, ShapePicture,
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont,
    Font, FontCharset, FontCodePage, Red, Green, Blue,
    PngBlip, JpegBlip, OtherBlip, PicWidth, PicHeight, PicGoalWidth, PicGoalHeight, PicScaleX, PicScaleY,
    Par, Pard, AlignLeft, AlignRight, AlignCenter, AlignJustify,
    LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter, Cell, Row, Line, Tab,
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Hidden, FontSize, Color, Background,
    Super, Sub, NoSuperSub,
    Unicode, UnicodeSkip, Char, Bin,
};

struct WordInfo {
    Word word;
    char16_t ch = 0; // for Word::Char
};

const std::unordered_map<std::string_view, WordInfo> &wordTable()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t{
            {"fonttbl", {Word::FontTable}}, {"colortbl", {Word::ColorTable}}, {"pict", {Word::Picture}},
            {"shppict", {Word::ShapePicture}},
            {"ansi", {Word::Ansi}}, {"mac", {Word::Mac}}, {"pc", {Word::Pc}}, {"pca", {Word::Pca}},
            {"ansicpg", {Word::AnsiCodePage}}, {"deff", {Word::DefaultFont}},
            {"f", {Word::Font}}, {"fcharset", {Word::FontCharset}}, {"cpg", {Word::FontCodePage}},
            {"red", {Word::Red}}, {"green", {Word::Green}}, {"blue", {Word::Blue}},
            {"pngblip", {Word::PngBlip}}, {"jpegblip", {Word::JpegBlip}},
            {"emfblip", {Word::OtherBlip}}, {"wmetafile", {Word::OtherBlip}}, {"macpict", {Word::OtherBlip}},
            {"dibitmap", {Word::OtherBlip}}, {"wbitmap", {Word::OtherBlip}}, {"pmmetafile", {Word::OtherBlip}},
            {"picw", {Word::PicWidth}}, {"pich", {Word::PicHeight}},
            {"picwgoal", {Word::PicGoalWidth}}, {"pichgoal", {Word::PicGoalHeight}},
            {"picscalex", {Word::PicScaleX}}, {"picscaley", {Word::PicScaleY}},
            {"par", {Word::Par}}, {"page", {Word::Par}}, {"sect", {Word::Par}}, {"pard", {Word::Pard}},
            {"ql", {Word::AlignLeft}}, {"qr", {Word::AlignRight}}, {"qc", {Word::AlignCenter}},
            {"qj", {Word::AlignJustify}}, {"qd", {Word::AlignJustify}},
            {"li", {Word::LeftIndent}}, {"ri", {Word::RightIndent}}, {"fi", {Word::FirstIndent}},
            {"sb", {Word::SpaceBefore}}, {"sa", {Word::SpaceAfter}},
            {"cell", {Word::Cell}}, {"nestcell", {Word::Cell}}, {"row", {Word::Row}}, {"nestrow", {Word::Row}},
            {"line", {Word::Line}}, {"tab", {Word::Tab}},
            {"plain", {Word::Plain}}, {"b", {Word::Bold}}, {"i", {Word::Italic}},
            {"ul", {Word::Underline}}, {"uld", {Word::Underline}}, {"uldb", {Word::Underline}},
            {"ulw", {Word::Underline}}, {"ulwave", {Word::Underline}}, {"uldash", {Word::Underline}},
            {"ulth", {Word::Underline}}, {"ulnone", {Word::UnderlineNone}},
            {"strike", {Word::Strike}}, {"striked", {Word::Strike}}, {"v", {Word::Hidden}},
            {"fs", {Word::FontSize}}, {"cf", {Word::Color}}, {"cb", {Word::Background}},
            {"highlight", {Word::Background}},
            {"super", {Word::Super}}, {"sub", {Word::Sub}}, {"nosupersub", {Word::NoSuperSub}},
            {"u", {Word::Unicode}}, {"uc", {Word::UnicodeSkip}}, {"bin", {Word::Bin}},
            {"emdash", {Word::Char, u'\u2014'}}, {"endash", {Word::Char, u'\u2013'}},
            {"emspace", {Word::Char, u'\u2003'}}, {"enspace", {Word::Char, u'\u2002'}},
            {"qmspace", {Word::Char, u'\u2005'}}, {"bullet", {Word::Char, u'\u2022'}},
            {"lquote", {Word::Char, u'\u2018'}}, {"rquote", {Word::Char, u'\u2019'}},
            {"ldblquote", {Word::Char, u'\u201C'}}, {"rdblquote", {Word::Char, u'\u201D'}},
            {"zwj", {Word::Char, u'\u200D'}}, {"zwnj", {Word::Char, u'\u200C'}},
            {"ltrmark", {Word::Char, u'\u200E'}}, {"rtlmark", {Word::Char, u'\u200F'}},
        };
        // Destinations whose text is not part of the document even without "\*".
        for (std::string_view skipped :
             {"stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer", "footerl",
              "footerr", "footerf", "footnote", "annotation", "atnid", "atnauthor", "xe", "tc", "txe",
              "rxe", "bkmkstart", "bkmkend", "fldinst", "pn", "pnseclvl", "listtable",
              "listoverridetable", "revtbl", "rsidtbl", "generator", "filetbl", "themedata",
              "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "mmathPr", "userprops",
              "docvar", "template", "private", "pgdsctbl", "ftnsep", "ftnsepc", "ftncn", "aftnsep",
              "aftnsepc", "aftncn", "nonshppict", "objdata", "objclass", "objname", "fldtype",
              "author", "title", "subject", "keywords", "comment", "doccomm", "operator", "company",
              "manager", "category", "hlinkbase", "buptim", "creatim", "printim", "revtim"})
            t.emplace(skipped, WordInfo{Word::SkipDestination});
        return t;
    }();
    return table;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

class RtfParser {
public:
    RtfParser(QByteArrayView in, RichText &text) : in_(in), text_(text) {}

    void run();

private:
    struct Picture {
        enum Kind { None, Png, Jpeg, Other } kind = None;
        QByteArray data;
        int highNibble = -1;
        int width = 0, height = 0, goalWidth = 0, goalHeight = 0, scaleX = 100, scaleY = 100;
    };

    void openGroup();
    void closeGroup();
    void controlSequence();
    void controlWord(std::string_view name, bool hasParam, int param);
    void controlSymbol(char c);
    void textByte(uchar b);
    void literalByte(uchar b);
    void appendByte(uchar b);
    void appendChar(char16_t c);
    bool takeSkipped();
    void startText();
    void flushBytes();
    void flushText();
    void endParagraph();
    void finishDocument();
    void finishFontEntry();
    void finishPicture();
    int codePage() const;
    int fontCodePage(const FontEntry &font) const;
    QString decode(int codePage, const QByteArray &bytes);
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;
    int charFormatIndex();
    int blockFormatIndex();
    template <typename Key, typename Add>
    int storedFormat(std::map<Key, int> &stored, const Key &key, Add add);
    QColor tableColor(int index) const;

    QByteArrayView in_;
    qsizetype pos_ = 0;
    RichText &text_;

    GroupState cur_;
    std::vector<GroupState> stack_;
    std::size_t overflowDepth_ = 0;
    bool finished_ = false;
    int skip_ = 0; // characters still to drop after a \u
    bool cellPending_ = false; // a \cell not yet followed by text: a tab unless the row ends

    int ansiCodePage_ = kSystemCodePage;
    int defaultFont_ = -1;
    std::map<int, FontEntry> fonts_;
    int fontEntry_ = -1;
    QByteArray fontName_;
    std::vector<QColor> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;
    Picture picture_;

    // Formats already stored in the text, by what sets them: most text repeats a few.
    using CharKey = std::tuple<int, int, int, int, bool, bool, bool, bool, int>;
    using ParaKey = std::tuple<int, int, int, int, int, int>;
    std::map<CharKey, int> charFormats_;
    std::map<ParaKey, int> blockFormats_;

    QByteArray pendingBytes_;
    int pendingCodePage_ = 0;
    QString pendingText_;
    std::unordered_map<int, std::unique_ptr<QStringDecoder>> decoders_;
};

void RtfParser::run()
{
    // Anything before the first group is not part of the document.
    while (pos_ < in_.size() && in_[pos_] != '{')
        ++pos_;
    while (pos_ < in_.size() && !finished_) {
        const char c = in_[pos_++];
        switch (c) {
        case '{': openGroup(); break;
        case '}': closeGroup(); break;
        case '\\': controlSequence(); break;
        case '\r': case '\n': case '\0': break;
        default: textByte(uchar(c)); break;
        }
    }
    // A truncated file shows what was read.
    if (!finished_)
        finishDocument();
}

void RtfParser::openGroup()
{
    flushText();
    skip_ = 0;
    if (stack_.size() < kMaxDepth)
        stack_.push_back(cur_);
    else
        ++overflowDepth_;
    cur_.starPending = false;
}

void RtfParser::closeGroup()
{
    flushText();
    skip_ = 0;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    if (stack_.size() <= 1) {
        finishDocument();
        return;
    }
    const Destination closing = cur_.destination;
    if (closing == Destination::FontTable)
        finishFontEntry();
    if (closing == Destination::FontTable || closing == Destination::ColorTable)
        charFormats_.clear(); // the stored formats name fonts and colours of the old tables
    cur_ = stack_.back();
    stack_.pop_back();
    if (closing == Destination::Picture && cur_.destination != Destination::Picture)
        finishPicture();
}

void RtfParser::controlSequence()
{
    if (pos_ >= in_.size())
        return;
    if (!isLetter(in_[pos_])) {
        controlSymbol(in_[pos_++]);
        return;
    }
    const qsizetype start = pos_;
    while (pos_ < in_.size() && isLetter(in_[pos_]))
        ++pos_;
    const std::string_view name(in_.data() + start, std::size_t(pos_ - start));

    bool hasParam = false;
    bool negative = false;
    long long value = 0;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    while (pos_ < in_.size() && isDigit(in_[pos_])) {
        hasParam = true;
        if (value < 10'000'000'000LL) // more digits cannot change the clamped result
            value = value * 10 + (in_[pos_] - '0');
        ++pos_;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ')
        ++pos_; // the delimiting space belongs to the word
    if (negative)
        value = -value;
    value = std::clamp<long long>(value, INT_MIN, INT_MAX);
    controlWord(name, hasParam, int(value));
}

bool RtfParser::takeSkipped()
{
    if (skip_ <= 0)
        return false;
    --skip_;
    return true;
}

void RtfParser::controlWord(std::string_view name, bool hasParam, int param)
{
    const auto &table = wordTable();
    const auto found = table.find(name);
    const bool known = found != table.end();

    if (known && found->second.word == Word::Bin) {
        // Binary data is skipped whatever the destination; it is counted as one character.
        const qsizetype count = std::clamp<qsizetype>(hasParam ? param : 0, 0, in_.size() - pos_);
        if (cur_.destination == Destination::Picture && skip_ == 0)
            picture_.data += QByteArrayView(in_.data() + pos_, count);
        pos_ += count;
        takeSkipped();
        return;
    }
    if (takeSkipped())
        return;
    if (cur_.starPending) {
        cur_.starPending = false;
        // Of the ignorable destinations only the picture of a shape is read.
        if (!known || found->second.word != Word::ShapePicture) {
            flushText();
            cur_.destination = Destination::Skip;
            return;
        }
    }
    if (cur_.destination == Destination::Skip || !known)
        return;

    const WordInfo info = found->second;
    const bool on = !hasParam || param != 0; // \b and \b1 switch on, \b0 off
    CharState &chr = cur_.chr;
    ParaState &para = cur_.para;

    switch (cur_.destination) {
    case Destination::FontTable:
        if (info.word == Word::Font) {
            finishFontEntry();
            fontEntry_ = param;
            fonts_[fontEntry_];
        } else if (info.word == Word::FontCharset && fontEntry_ >= 0) {
            fonts_[fontEntry_].charset = param;
        } else if (info.word == Word::FontCodePage && fontEntry_ >= 0) {
            fonts_[fontEntry_].codePage = param;
        }
        return;
    case Destination::ColorTable:
        if (info.word == Word::Red || info.word == Word::Green || info.word == Word::Blue) {
            const int v = std::clamp(param, 0, 255);
            (info.word == Word::Red ? red_ : info.word == Word::Green ? green_ : blue_) = v;
            colorSet_ = true;
        }
        return;
    case Destination::Picture:
        switch (info.word) {
        case Word::PngBlip: picture_.kind = Picture::Png; break;
        case Word::JpegBlip: picture_.kind = Picture::Jpeg; break;
        case Word::OtherBlip: picture_.kind = Picture::Other; break;
        case Word::PicWidth: picture_.width = param; break;
        case Word::PicHeight: picture_.height = param; break;
        case Word::PicGoalWidth: picture_.goalWidth = param; break;
        case Word::PicGoalHeight: picture_.goalHeight = param; break;
        case Word::PicScaleX: picture_.scaleX = param; break;
        case Word::PicScaleY: picture_.scaleY = param; break;
        default: break;
        }
        return;
    case Destination::Skip:
    case Destination::Text:
        break;
    }

    // Characters keep the pending run's format; everything else starts a new run.
    if (info.word == Word::Char) {
        appendChar(info.ch);
        return;
    }
    if (info.word == Word::Unicode) {
        // \u takes a signed 16-bit value; negative values stand for the upper half.
        const int unit = param < 0 ? param + 65536 : param;
        if (unit >= 0 && unit <= 0xFFFF)
            appendChar(char16_t(unit));
        skip_ = cur_.unicodeSkip;
        return;
    }
    if (info.word == Word::Tab) {
        appendChar(u'\t');
        return;
    }
    if (info.word == Word::Line) {
        appendChar(u'\u2028'); // QChar::LineSeparator: a line break inside the paragraph
        return;
    }
    flushText();

    switch (info.word) {
    case Word::FontTable:
        cur_.destination = Destination::FontTable;
        fontEntry_ = -1;
        fontName_.clear();
        break;
    case Word::ColorTable:
        cur_.destination = Destination::ColorTable;
        colors_.clear();
        red_ = green_ = blue_ = 0;
        colorSet_ = false;
        break;
    case Word::Picture:
        cur_.destination = Destination::Picture;
        picture_ = Picture{};
        break;
    case Word::SkipDestination: cur_.destination = Destination::Skip; break;
    case Word::Ansi: ansiCodePage_ = kSystemCodePage; break;
    case Word::Mac: ansiCodePage_ = 10000; break;
    case Word::Pc: ansiCodePage_ = 437; break;
    case Word::Pca: ansiCodePage_ = 850; break;
    case Word::AnsiCodePage:
        if (param > 0)
            ansiCodePage_ = param;
        break;
    case Word::DefaultFont: defaultFont_ = param; break;
    case Word::Font: chr.font = param; break;
    case Word::Par:
        cellPending_ = false;
        endParagraph();
        break;
    case Word::Pard: para = ParaState{}; break;
    case Word::AlignLeft: para.alignment = Qt::AlignLeft; break;
    case Word::AlignRight: para.alignment = Qt::AlignRight; break;
    case Word::AlignCenter: para.alignment = Qt::AlignHCenter; break;
    case Word::AlignJustify: para.alignment = Qt::AlignJustify; break;
    case Word::LeftIndent: para.leftTwips = param; break;
    case Word::RightIndent: para.rightTwips = param; break;
    case Word::FirstIndent: para.firstTwips = param; break;
    case Word::SpaceBefore: para.beforeTwips = param; break;
    case Word::SpaceAfter: para.afterTwips = param; break;
    case Word::Cell: cellPending_ = true; break;
    case Word::Row:
        cellPending_ = false;
        endParagraph();
        break;
    case Word::Plain: chr = CharState{}; break;
    case Word::Bold: chr.bold = on; break;
    case Word::Italic: chr.italic = on; break;
    case Word::Underline: chr.underline = on; break;
    case Word::UnderlineNone: chr.underline = false; break;
    case Word::Strike: chr.strike = on; break;
    case Word::Hidden: chr.hidden = on; break;
    case Word::FontSize: chr.halfPoints = hasParam ? std::clamp(param, 0, 3276) : 24; break;
    case Word::Color: chr.color = param; break;
    case Word::Background: chr.background = param; break;
    case Word::Super: chr.vertical = QTextCharFormat::AlignSuperScript; break;
    case Word::Sub: chr.vertical = QTextCharFormat::AlignSubScript; break;
    case Word::NoSuperSub: chr.vertical = QTextCharFormat::AlignNormal; break;
    case Word::UnicodeSkip: cur_.unicodeSkip = std::max(param, 0); break;
    default: break;
    }
}

void RtfParser::controlSymbol(char c)
{
    if (c == '\'') {
        // A damaged escape (fewer than two hex digits) stands for no byte.
        int value = 0;
        int digits = 0;
        for (; digits < 2 && pos_ < in_.size() && hexValue(in_[pos_]) >= 0; ++digits)
            value = value * 16 + hexValue(in_[pos_++]);
        if (!takeSkipped() && digits == 2)
            literalByte(uchar(value));
        return;
    }
    if (c == '*') {
        cur_.starPending = true;
        return;
    }
    if (takeSkipped())
        return;
    switch (c) {
    case '\\': case '{': case '}': literalByte(uchar(c)); break;
    case '~': appendChar(u'\u00A0'); break;
    case '-': appendChar(u'\u00AD'); break;
    case '_': appendChar(u'\u2011'); break;
    case '\t': appendChar(u'\t'); break;
    case '\r': case '\n': // a backslash before a line end is \par
        if (cur_.destination == Destination::Text) {
            cellPending_ = false;
            endParagraph();
        }
        break;
    default: break;
    }
}

// A byte of the file's text: its meaning depends on the destination.
void RtfParser::textByte(uchar b)
{
    cur_.starPending = false;
    if (takeSkipped())
        return;
    switch (cur_.destination) {
    case Destination::FontTable:
        if (b == ';')
            finishFontEntry();
        else
            fontName_ += char(b);
        break;
    case Destination::ColorTable:
        if (b == ';') {
            colors_.push_back(colorSet_ ? QColor(red_, green_, blue_) : QColor());
            red_ = green_ = blue_ = 0;
            colorSet_ = false;
        }
        break;
    case Destination::Picture: {
        const int v = hexValue(char(b));
        if (v < 0)
            break;
        if (picture_.highNibble < 0) {
            picture_.highNibble = v;
        } else {
            picture_.data += char(picture_.highNibble * 16 + v);
            picture_.highNibble = -1;
        }
        break;
    }
    case Destination::Text:
        if (b == '\t')
            appendChar(u'\t');
        else
            appendByte(b);
        break;
    case Destination::Skip:
        break;
    }
}

// A byte given by an escape (\'hh, \\, \{, \}): text, never structure.
void RtfParser::literalByte(uchar b)
{
    if (cur_.destination == Destination::FontTable)
        fontName_ += char(b);
    else if (cur_.destination == Destination::Text)
        appendByte(b);
}

void RtfParser::startText()
{
    if (cellPending_) {
        cellPending_ = false;
        flushBytes();
        pendingText_ += u'\t';
    }
}

void RtfParser::appendByte(uchar b)
{
    if (cur_.destination != Destination::Text || cur_.chr.hidden)
        return;
    startText();
    const int cp = codePage();
    if (!pendingBytes_.isEmpty() && cp != pendingCodePage_)
        flushBytes();
    pendingCodePage_ = cp;
    pendingBytes_ += char(b);
}

void RtfParser::appendChar(char16_t c)
{
    if (cur_.destination != Destination::Text || cur_.chr.hidden)
        return;
    startText();
    flushBytes();
    // A paragraph ends only at \par: a line end given as a character breaks the line.
    if (c == u'\n' || c == u'\r' || c == u'\u2029')
        c = u'\u2028';
    pendingText_ += QChar(c);
}

void RtfParser::flushBytes()
{
    if (pendingBytes_.isEmpty())
        return;
    pendingText_ += decode(pendingCodePage_, pendingBytes_);
    pendingBytes_.clear();
}

void RtfParser::flushText()
{
    flushBytes();
    if (pendingText_.isEmpty())
        return;
    text_.append(pendingText_, charFormatIndex());
    pendingText_.clear();
}

void RtfParser::endParagraph()
{
    flushText();
    // Paragraph properties in force at \par belong to the paragraph it ends.
    text_.setBlockFormat(blockFormatIndex());
    text_.startParagraph(charFormatIndex());
}

void RtfParser::finishDocument()
{
    flushText();
    text_.setBlockFormat(blockFormatIndex());
    finished_ = true;
}

void RtfParser::finishFontEntry()
{
    if (fontEntry_ >= 0 && !fontName_.isEmpty()) {
        FontEntry &font = fonts_[fontEntry_];
        font.name = substituteFontName(decode(fontCodePage(font), fontName_));
    }
    fontName_.clear();
}

void RtfParser::finishPicture()
{
    const Picture picture = std::move(picture_);
    picture_ = Picture{};
    if (cur_.destination != Destination::Text || cur_.chr.hidden)
        return;
    if (picture.kind != Picture::Png && picture.kind != Picture::Jpeg)
        return;
    QImage image;
    if (!image.loadFromData(picture.data, picture.kind == Picture::Png ? "PNG" : "JPEG") || image.isNull())
        return;
    startText();
    flushText();
    // The goal size (twips) is the size the writer showed; without it, the picture's own.
    const double width = picture.goalWidth > 0 ? twipsToPixels(picture.goalWidth) : image.width();
    const double height = picture.goalHeight > 0 ? twipsToPixels(picture.goalHeight) : image.height();
    QTextImageFormat format;
    // A damaged size stays within what a screen could show.
    constexpr double MaxSide = 16384;
    format.setWidth(std::min(width * std::clamp(picture.scaleX, 1, 1000) / 100.0, MaxSide));
    format.setHeight(std::min(height * std::clamp(picture.scaleY, 1, 1000) / 100.0, MaxSide));
    text_.appendPicture(image, format);
}

int RtfParser::fontCodePage(const FontEntry &font) const
{
    if (font.codePage > 0)
        return font.codePage;
    const int cp = charsetCodePage(font.charset);
    return cp > 0 ? cp : ansiCodePage_;
}

int RtfParser::codePage() const
{
    const auto it = fonts_.find(cur_.chr.font >= 0 ? cur_.chr.font : defaultFont_);
    return it != fonts_.end() ? fontCodePage(it->second) : ansiCodePage_;
}

QString RtfParser::decode(int codePage, const QByteArray &bytes)
{
    if (codePage == 1251)
        return fromCp1251(bytes);
    if (codePage == kSymbolCodePage) {
        // Symbol fonts: the bullet that list texts use; other symbols as Latin-1.
        QString text = QString::fromLatin1(bytes);
        text.replace(QChar(0xB7), QChar(0x2022));
        return text;
    }
    auto &decoder = decoders_[codePage];
    if (!decoder)
        decoder = std::make_unique<QStringDecoder>(codecName(codePage).constData());
    if (!decoder->isValid())
        return QString::fromLatin1(bytes);
    QString text = decoder->decode(bytes);
    decoder->resetState();
    return text;
}

QColor RtfParser::tableColor(int index) const
{
    if (index < 0 || std::size_t(index) >= colors_.size())
        return {};
    return colors_[std::size_t(index)];
}

QTextCharFormat RtfParser::charFormat() const
{
    // Only what the text sets: the rest is the view's default font.
    QTextCharFormat format;
    const CharState &chr = cur_.chr;
    const auto font = fonts_.find(chr.font >= 0 ? chr.font : defaultFont_);
    if (font != fonts_.end() && !font->second.name.isEmpty())
        format.setFontFamilies(QStringList{font->second.name});
    if (chr.halfPoints > 0)
        format.setFontPointSize(chr.halfPoints / 2.0);
    if (chr.bold)
        format.setFontWeight(QFont::Bold);
    if (chr.italic)
        format.setFontItalic(true);
    if (chr.underline)
        format.setFontUnderline(true);
    if (chr.strike)
        format.setFontStrikeOut(true);
    if (const QColor color = tableColor(chr.color); color.isValid())
        format.setForeground(color);
    if (const QColor color = tableColor(chr.background); color.isValid())
        format.setBackground(color);
    if (chr.vertical != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(chr.vertical);
    return format;
}

int RtfParser::charFormatIndex()
{
    // The key holds what the format shows (a colour outside the table is none), so that a
    // file cannot make formats without end from indexes that mean nothing.
    const CharState &chr = cur_.chr;
    const auto font = fonts_.find(chr.font >= 0 ? chr.font : defaultFont_);
    const int shownFont = font != fonts_.end() && !font->second.name.isEmpty() ? font->first : -1;
    const auto shownColor = [this](int index) { return tableColor(index).isValid() ? index : 0; };
    const CharKey key{shownFont, chr.halfPoints, shownColor(chr.color), shownColor(chr.background),
                      chr.bold, chr.italic, chr.underline, chr.strike, int(chr.vertical)};
    return storedFormat(charFormats_, key, [this] { return text_.addCharFormat(charFormat()); });
}

int RtfParser::blockFormatIndex()
{
    const ParaState &para = cur_.para;
    const ParaKey key{int(para.alignment), para.leftTwips, para.rightTwips, para.firstTwips, para.beforeTwips,
                      para.afterTwips};
    return storedFormat(blockFormats_, key, [this] { return text_.addBlockFormat(blockFormat()); });
}

// The index of the format stored for the key, storing it first when it is new. Real texts
// use a few dozen formats; past kMaxFormats a damaged file's text keeps the default one.
template <typename Key, typename Add>
int RtfParser::storedFormat(std::map<Key, int> &stored, const Key &key, Add add)
{
    if (const auto found = stored.find(key); found != stored.end())
        return found->second;
    if (stored.size() >= kMaxFormats)
        return 0;
    const int index = add();
    stored.emplace(key, index);
    return index;
}

QTextBlockFormat RtfParser::blockFormat() const
{
    const ParaState &para = cur_.para;
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    if (para.leftTwips != 0)
        format.setLeftMargin(twipsToPixels(para.leftTwips));
    if (para.rightTwips != 0)
        format.setRightMargin(twipsToPixels(para.rightTwips));
    if (para.firstTwips != 0)
        format.setTextIndent(twipsToPixels(para.firstTwips));
    // A hanging indent is a tab stop of its own, as word processors treat it: the tab after
    // a bullet or a number takes the text to the paragraph's left edge.
    if (para.firstTwips < 0)
        format.setTabPositions({QTextOption::Tab(twipsToPixels(-para.firstTwips), QTextOption::LeftTab)});
    if (para.beforeTwips != 0)
        format.setTopMargin(twipsToPixels(para.beforeTwips));
    if (para.afterTwips != 0)
        format.setBottomMargin(twipsToPixels(para.afterTwips));
    return format;
}

} // namespace

bool isRichText(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

RichText readRtf(QByteArrayView bytes)
{
    RichText text;
    RtfParser(bytes, text).run();
    return text;
}

RichText readPlainText(QByteArrayView bytes)
{
    return RichText::fromPlainText(fromCp1251(bytes));
}

RichText readRichOrPlainText(QByteArrayView bytes)
{
    return isRichText(bytes) ? readRtf(bytes) : readPlainText(bytes);
}
