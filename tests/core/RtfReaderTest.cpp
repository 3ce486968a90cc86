#include "core/RtfReader.h"

#include "support/TempCourse.h"

#include <QBuffer>
#include <QImage>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <gtest/gtest.h>

// Failure messages show texts as text, not as bytes (static: other test files may have their own).
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// The whole text in a document, as a text edit would show it.
void load(QTextDocument &document, const RichText &text)
{
    text.writeParagraphs(document, 0, text.paragraphCount() - 1);
}

QStringList blockTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

QStringList rtfBlocks(const QByteArray &rtf)
{
    QTextDocument document;
    load(document, readRtf(rtf));
    return blockTexts(document);
}

// The format of the fragment that holds `text`; fails the test when there is none.
QTextCharFormat formatOf(const QTextDocument &document, const QString &text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
        }
    }
    ADD_FAILURE() << "no fragment holds " << text.toStdString();
    return {};
}

std::vector<QTextImageFormat> images(const QTextDocument &document)
{
    std::vector<QTextImageFormat> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                found.push_back(it.fragment().charFormat().toImageFormat());
        }
    }
    return found;
}

QByteArray pngHex(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toHex();
}

struct TextCase {
    const char *name;
    QByteArray rtf;
    QStringList blocks;
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.name;
}

std::string caseName(const ::testing::TestParamInfo<TextCase> &info)
{
    return info.param.name;
}

class RtfTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfTextTest, ReadsTheTextOfEachParagraph)
{
    // GIVEN the RTF of the case, WHEN it is read, THEN the paragraphs hold exactly this text.
    EXPECT_EQ(rtfBlocks(GetParam().rtf), GetParam().blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Text, RtfTextTest,
    ::testing::Values(
        TextCase{"plain_ascii", R"({\rtf1 Hello})", {"Hello"}},
        TextCase{"hex_escape_in_ansicpg1251", R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'c8})", {u"ПрИ"_qs}},
        TextCase{"no_code_page_means_the_russian_system_one", R"({\rtf1\ansi \'cf})", {u"П"_qs}},
        TextCase{"ansicpg1252", R"({\rtf1\ansi\ansicpg1252 caf\'e9})", {u"café"_qs}},
        TextCase{"font_charset_decides",
                 R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset204 Arial;}}\f0 caf\'e9 \f1\'cf})",
                 {u"café П"_qs}},
        TextCase{"font_cpg_decides", R"({\rtf1{\fonttbl{\f0\cpg1250 X;}}\f0\'b9})", {u"ą"_qs}},
        TextCase{"default_font_charset", R"({\rtf1\ansicpg1251\deff0{\fonttbl{\f0\fcharset0 X;}}\'e9})", {u"é"_qs}},
        TextCase{"raw_cp1251_bytes", QByteArray("{\\rtf1\\ansicpg1251 ") + cp1251(u"Мир"_qs) + "}", {u"Мир"_qs}},
        TextCase{"double_byte_code_page", R"({\rtf1\ansicpg932 \'82\'a0})", {u"あ"_qs}},
        TextCase{"unicode_with_fallback", R"({\rtf1 \u1055?\u1088?})", {u"Пр"_qs}},
        TextCase{"unicode_hex_fallback", R"({\rtf1 \u1055\'cfx})", {u"Пx"_qs}},
        TextCase{"uc2_skips_two", R"({\rtf1\uc2\u1055??x})", {u"Пx"_qs}},
        TextCase{"uc0_skips_none", R"({\rtf1\uc0\u1055 x})", {u"Пx"_qs}},
        TextCase{"uc_is_scoped", R"({\rtf1 {\uc2 a}\u1055??})", {u"aП?"_qs}},
        TextCase{"group_end_stops_skipping", R"({\rtf1 {\uc3\u1055}ab})", {u"Пab"_qs}},
        TextCase{"negative_unicode", R"({\rtf1 \u-3913?})", {QString(QChar(0xF0B7))}},
        TextCase{"escaped_braces_and_backslash", R"({\rtf1 \\\{\}})", {R"(\{})"}},
        TextCase{"special_characters",
                 R"({\rtf1 \~\-\_\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
                 {u"\u00A0\u00AD\u2011\u2014\u2013\u2022\u2018\u2019\u201C\u201D"_qs}},
        TextCase{"tabs", "{\\rtf1 a\\tab b\tc}", {"a\tb\tc"}},
        TextCase{"line_break_inside_paragraph", R"({\rtf1 a\line b})", {u"a\u2028b"_qs}},
        TextCase{"line_ends_in_the_source_are_not_text", "{\\rtf1 ab\r\ncd\n}", {"abcd"}},
        TextCase{"only_one_delimiting_space", R"({\rtf1 a\b  b})", {"a b"}},
        TextCase{"hidden_text", R"({\rtf1 a{\v secret}b\v c\v0 d})", {"abd"}},
        TextCase{"skipped_destinations",
                 R"({\rtf1{\info{\title T}}{\stylesheet{\s0 Normal;}}{\*\generator W;}{\*\unknown x}{\header H}A})",
                 {"A"}},
        TextCase{"field_shows_its_result",
                 R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt Link}} {\field{\fldinst PAGE}{\fldrslt 1}}})",
                 {"Link 1"}},
        TextCase{"list_text_with_symbol_bullet",
                 R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fcharset2 Symbol;}}{\pntext\f1\'b7\tab}{\*\pn\pnlvlblt{\pntxtb\'b7}}Item})",
                 {u"\u2022\tItem"_qs}},
        TextCase{"text_outside_the_root_group", R"(junk{\rtf1 A}B)", {"A"}},
        TextCase{"hex_digits_of_either_case", R"({\rtf1\ansicpg1251 \'CF\'eF})", {u"Пп"_qs}},
        TextCase{"paragraphs", R"({\rtf1 One\par Two\par})", {"One", "Two", ""}},
        TextCase{"backslash_line_end_is_par", "{\\rtf1 a\\\r\nb}", {"a", "b"}},
        TextCase{"table_cells_and_rows", R"({\rtf1\trowd\cellx1000\cellx2000 \intbl A\cell B\cell\row C\par})",
                 {"A\tB", "C", ""}}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Damaged, RtfTextTest,
    ::testing::Values(
        TextCase{"empty_root", R"({\rtf1})", {""}},
        TextCase{"truncated_text", R"({\rtf1 Hello)", {"Hello"}},
        TextCase{"truncated_group", R"({\rtf1 A{\b B)", {"AB"}},
        TextCase{"truncated_escape", R"({\rtf1 A\'c)", {"A"}},
        TextCase{"escape_without_digits", R"({\rtf1 A\'zB})", {"AzB"}},
        TextCase{"trailing_backslash", R"({\rtf1 A\)", {"A"}},
        TextCase{"extra_closing_brace_ends_the_text", R"({\rtf1 A}}B)", {"A"}},
        TextCase{"huge_parameters", R"({\rtf1\fs99999999999999999999 a\u99999999999 b\uc99999999999\li-99999999999 c})", {"ac"}},
        TextCase{"bin_skips_its_bytes", "{\\rtf1 A\\bin3 {}\\B}", {"AB"}},
        TextCase{"bin_past_the_end", "{\\rtf1 A\\bin100 xy", {"A"}},
        TextCase{"negative_bin", "{\\rtf1 A\\bin-5 B}", {"AB"}},
        TextCase{"font_table_without_semicolons", R"({\rtf1{\fonttbl{\f0 Arial}{\f1\fcharset204 Times}}\f1\'cf})", {u"П"_qs}},
        TextCase{"colour_index_outside_the_table", R"({\rtf1{\colortbl;\red1\green2\blue3;}\cf7 A\cb-1 B})", {"AB"}}),
    caseName);

TEST(RtfReaderTest, DeepNestingReadsTextAndKeepsBalance)
{
    // GIVEN text nested far deeper than any real file, then closed and followed by more
    const int depth = 100000;
    QByteArray rtf = "{\\rtf1 ";
    rtf += QByteArray(depth, '{') + "x" + QByteArray(depth, '}') + "y}z";

    // WHEN read THEN both texts are there and nothing after the root group
    EXPECT_EQ(rtfBlocks(rtf), QStringList{"xy"});
}

TEST(RtfReaderTest, ParagraphAlignmentIsTheOneInForceAtPar)
{
    // GIVEN paragraphs whose alignment is set before, inside a group, and just before \par
    QTextDocument document;
    load(document, readRtf(R"({\rtf1\qc Centre\par\pard Left\par Right\qr\par{\qj Group}\par\qj Last})"));

    // THEN each paragraph has the alignment in force when it ended
    ASSERT_EQ(document.blockCount(), 5);
    EXPECT_EQ(document.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(document.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_EQ(document.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignRight);
    EXPECT_EQ(document.findBlockByNumber(3).blockFormat().alignment(), Qt::AlignRight)
        << "the group's \\qj ended before \\par";
    EXPECT_EQ(document.findBlockByNumber(4).blockFormat().alignment(), Qt::AlignJustify)
        << "the last paragraph, without \\par, keeps its alignment";
}

TEST(RtfReaderTest, IndentsAndSpacingComeInTwips)
{
    QTextDocument document;
    load(document, readRtf(R"({\rtf1\li720\ri1440\fi-360\sb240\sa120 Text\par\pard Plain\par})"));

    const QTextBlockFormat indented = document.findBlockByNumber(0).blockFormat();
    EXPECT_DOUBLE_EQ(indented.leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(indented.rightMargin(), 96.0);
    EXPECT_DOUBLE_EQ(indented.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(indented.topMargin(), 16.0);
    EXPECT_DOUBLE_EQ(indented.bottomMargin(), 8.0);
    const QTextBlockFormat plain = document.findBlockByNumber(1).blockFormat();
    EXPECT_DOUBLE_EQ(plain.leftMargin(), 0.0);
    EXPECT_DOUBLE_EQ(plain.textIndent(), 0.0);
}

TEST(RtfReaderTest, CharacterStylesToggleAndFollowGroups)
{
    QTextDocument document;
    load(document, readRtf(R"({\rtf1 a{\b b}c\b d\b0 e\i f\i0\ul g\ulnone h\strike k\strike0\b\i\ul m\plain n})"));

    EXPECT_FALSE(formatOf(document, "a").font().bold());
    EXPECT_TRUE(formatOf(document, "b").font().bold());
    EXPECT_FALSE(formatOf(document, "c").font().bold());
    EXPECT_TRUE(formatOf(document, "d").font().bold());
    EXPECT_FALSE(formatOf(document, "e").font().bold());
    EXPECT_TRUE(formatOf(document, "f").fontItalic());
    EXPECT_TRUE(formatOf(document, "g").fontUnderline());
    EXPECT_FALSE(formatOf(document, "h").fontUnderline());
    EXPECT_TRUE(formatOf(document, "k").fontStrikeOut());
    const QTextCharFormat m = formatOf(document, "m");
    EXPECT_TRUE(m.font().bold() && m.fontItalic() && m.fontUnderline());
    const QTextCharFormat n = formatOf(document, "n");
    EXPECT_FALSE(n.font().bold() || n.fontItalic() || n.fontUnderline());
}

TEST(RtfReaderTest, FontFaceAndSizeOnlyWhereTheTextSetsThem)
{
    // GIVEN a font table with a Windows "Cyr" substitute name and a default font
    QTextDocument document;
    load(document,
         readRtf(R"({\rtf1\deff0{\fonttbl{\f0\fswiss\fcharset204 Arial Cyr;}{\f1\froman Times New Roman;}}A\f1\fs28 B\plain C})"));

    EXPECT_EQ(formatOf(document, "A").fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_FALSE(formatOf(document, "A").hasProperty(QTextFormat::FontPointSize)) << "the view's size shows";
    EXPECT_EQ(formatOf(document, "B").fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_DOUBLE_EQ(formatOf(document, "B").fontPointSize(), 14.0);
    EXPECT_EQ(formatOf(document, "C").fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_FALSE(formatOf(document, "C").hasProperty(QTextFormat::FontPointSize));

    // GIVEN no font table at all THEN no face is set, so the view's Arial shows
    QTextDocument bare;
    load(bare, readRtf(R"({\rtf1 Z})"));
    EXPECT_FALSE(formatOf(bare, "Z").hasProperty(QTextFormat::FontFamilies));
}

TEST(RtfReaderTest, ColoursComeFromTheColourTable)
{
    QTextDocument document;
    load(document,
         readRtf(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\cf1 R\cf0 A\highlight2 H\cb0 N\super S\nosupersub\sub D})"));

    EXPECT_EQ(formatOf(document, "R").foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatOf(document, "A").hasProperty(QTextFormat::ForegroundBrush)) << "entry 0 is 'auto'";
    EXPECT_EQ(formatOf(document, "H").background().color(), QColor(0, 0, 255));
    EXPECT_FALSE(formatOf(document, "N").hasProperty(QTextFormat::BackgroundBrush));
    EXPECT_EQ(formatOf(document, "S").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatOf(document, "D").verticalAlignment(), QTextCharFormat::AlignSubScript);
}

TEST(RtfReaderTest, PngPictureIsShownAtItsGoalSize)
{
    // GIVEN a 4 x 3 PNG shown at 600 x 450 twips, once as a shape picture with the
    // metafile copy for old readers beside it
    const QByteArray rtf = "{\\rtf1 A{\\*\\shppict{\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450 "
        + pngHex(4, 3) + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}B}";
    QTextDocument document;

    // WHEN read
    load(document, readRtf(rtf));

    // THEN one picture stands between the two letters, 40 x 30 px, backed by the image
    const auto found = images(document);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_DOUBLE_EQ(found[0].width(), 40.0);
    EXPECT_DOUBLE_EQ(found[0].height(), 30.0);
    const QImage image = document.resource(QTextDocument::ImageResource, QUrl(found[0].name())).value<QImage>();
    EXPECT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(document.toPlainText(), QString(u"A\uFFFCB"_qs));
}

TEST(RtfReaderTest, PictureEdgeCases)
{
    QByteArray png = QByteArray::fromHex(pngHex(2, 2));
    struct Case {
        const char *name;
        QByteArray rtf;
        int images;
        QSizeF size;
    } cases[] = {
        {"binary_data", "{\\rtf1{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}}", 1, {2, 2}},
        {"scaled", "{\\rtf1{\\pict\\pngblip\\picscalex50\\picscaley200 " + pngHex(2, 2) + "}}", 1, {1, 4}},
        {"huge_goal_size", "{\\rtf1{\\pict\\pngblip\\picwgoal2147483647\\pichgoal30\\picscaley1000 " + pngHex(2, 2) + "}}",
         1, {16384, 20}},
        {"metafile_is_skipped", "{\\rtf1{\\pict\\wmetafile8 0102}}", 0, {}},
        {"damaged_png", "{\\rtf1{\\pict\\pngblip 0102}}", 0, {}},
        {"hidden_picture", "{\\rtf1{\\v{\\pict\\pngblip " + pngHex(2, 2) + "}}}", 0, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTextDocument document;
        load(document, readRtf(c.rtf));
        const auto found = images(document);
        ASSERT_EQ(int(found.size()), c.images);
        if (c.images == 1) {
            EXPECT_EQ(QSizeF(found[0].width(), found[0].height()), c.size);
        }
    }
}

TEST(RtfReaderTest, RichTextIsRecognisedByItsOpening)
{
    struct Case {
        QByteArray bytes;
        bool rich;
    } cases[] = {
        {"{\\rtf1\\ansi x}", true}, {"{\\rtf", true}, {" {\\rtf1 x}", false},
        {"{\\RTF1 x}", false},      {"plain", false}, {"", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(isRichText(c.bytes), c.rich) << c.bytes.constData();
}

TEST(RtfReaderTest, PlainTextIsCp1251WithAnyLineEnd)
{
    // GIVEN a description file that is not rich text, with CR LF, CR and LF line ends
    QTextDocument document;
    load(document, readRichOrPlainText(cp1251(u"Строка 1\r\nСтрока 2\rтри\nчетыре {\\b}"_qs)));

    EXPECT_EQ(blockTexts(document), (QStringList{u"Строка 1"_qs, u"Строка 2"_qs, u"три"_qs, u"четыре {\\b}"_qs}));
}

TEST(RtfReaderTest, LoadingReplacesTheContentAndKeepsUndoAsItWas)
{
    // GIVEN a document that showed a rich description with a picture
    QTextDocument document;
    load(document, readRichOrPlainText("{\\rtf1\\b Old{\\pict\\pngblip " + pngHex(1, 1) + "}\\par More}"));
    ASSERT_EQ(images(document).size(), 1u);

    // WHEN another description is loaded, first plain, then rich
    load(document, readRichOrPlainText("New"));
    EXPECT_EQ(blockTexts(document), QStringList{"New"});
    load(document, readRichOrPlainText("{\\rtf1 Newer}"));

    // THEN only the new text is there, without the old formats, and undo is as before
    EXPECT_EQ(blockTexts(document), QStringList{"Newer"});
    EXPECT_FALSE(formatOf(document, "Newer").font().bold());
    EXPECT_TRUE(images(document).empty());
    EXPECT_TRUE(document.isUndoRedoEnabled());
    EXPECT_FALSE(document.isUndoAvailable());
}

TEST(RtfLayout, TheTabAfterABulletReachesTheHangingIndent)
{
    // GIVEN a bullet paragraph with a hanging indent, as word processors write lists
    QTextDocument document;
    document.setTextWidth(400);
    load(document, readRtf("{\\rtf1\\ansi\\pard\\fi-300\\li600 \\'95\\tab Item text\\par}"));

    // WHEN it is laid out
    const QTextBlock block = document.firstBlock();
    document.documentLayout();
    const QTextLine line = block.layout()->lineAt(0);

    // THEN the text after the tab starts at the paragraph's left edge, not at a default tab stop
    EXPECT_DOUBLE_EQ(line.cursorToX(block.text().indexOf(u'I')), block.blockFormat().leftMargin());
}

} // namespace

TEST(RichTextTest, ALongParagraphIsKeptInPiecesCutAtSpaces)
{
    // GIVEN a plain text of one 40,000-character line of words, and one without any space
    QString words;
    for (int i = 0; words.size() < 40000; ++i)
        words += QStringLiteral("word%1 ").arg(i);
    const QString letters(40000, u'x');

    for (const QString &line : {words, letters}) {
        // WHEN it is read
        const RichText text = readPlainText(cp1251(line + "\r\nnext"));

        // THEN it comes in pieces no longer than the limit, words whole, nothing lost
        QString joined;
        for (int p = 0; p + 1 < text.paragraphCount(); ++p) {
            const QStringView piece = text.paragraphText(p);
            EXPECT_LE(piece.size(), RichText::LongParagraph);
            if (line == words) {
                EXPECT_TRUE(piece.endsWith(u' ')) << p;
            }
            joined += piece;
        }
        EXPECT_GE(text.paragraphCount(), 4);
        EXPECT_EQ(joined, line);
        EXPECT_EQ(text.paragraphText(text.paragraphCount() - 1), u"next");
    }
}
