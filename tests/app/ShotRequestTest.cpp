// The command line, batch lines and the element crop of tessaly-shot, without a browser.
#include "shot/ShotRequest.h"
#include "capture/BuiltInPictures.h"
#include "capture/ElementCrop.h"
#include "shot/ShellWords.h"
#include "shot/ShotBatch.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tessaly;

namespace {

using Words = std::vector<const char *>;

QStringList args(const Words &words)
{
    QStringList list{u"tessaly-shot"_s};
    for (const char *word : words)
        list.append(QString::fromUtf8(word));
    return list;
}

std::optional<ShotRequest> parsed(const Words &words, QString *error = nullptr)
{
    const Result<ShotCommandLine> result = parseShotArguments(args(words));
    if (!result) {
        if (error)
            *error = result.error();
        return std::nullopt;
    }
    if (const auto *request = std::get_if<ShotRequest>(&*result))
        return *request;
    return std::nullopt;
}

QStringList words(const char *line)
{
    const Result<QStringList> split = splitShellWords(QString::fromUtf8(line));
    return split ? *split : QStringList{};
}

} // namespace

TEST(ShotArguments, EveryOptionReachesTheRequest)
{
    const auto request =
        parsed({"--width",     "800",          "--height",  "600", "--wait",       "250",
                "--wait-for",  "window.ready", "--timeout", "2.5", "--javascript", "go()",
                "--style",     "body{}",       "--hide",    "#a",  "--hide",       ".b c",
                "--selector",  "main",         "--scale",   "2",   "--quality",    "40",
                "--no-banner", "http://x/",    "out.jpg"});
    ASSERT_TRUE(request);
    EXPECT_EQ(request->url, u"http://x/"_s);
    EXPECT_EQ(request->output, u"out.jpg"_s);
    EXPECT_EQ(request->browserArea, QSize(800, 600));
    EXPECT_EQ(request->waitMs, 250);
    EXPECT_EQ(request->waitFor, u"window.ready"_s);
    EXPECT_EQ(request->timeoutMs, 2500);
    EXPECT_EQ(request->javascript, u"go()"_s);
    EXPECT_EQ(request->style, u"body{}"_s);
    EXPECT_EQ(request->hide, (QStringList{u"#a"_s, u".b c"_s}));
    EXPECT_EQ(request->selector, u"main"_s);
    EXPECT_EQ(request->scale, 2);
    EXPECT_EQ(request->quality, 40);
    EXPECT_FALSE(request->banner);
}

TEST(ShotArguments, DefaultsCaptureTheWholePageAsBefore)
{
    const auto request = parsed({"http://x/", "out.png"});
    ASSERT_TRUE(request);
    EXPECT_EQ(request->browserArea, QSize(1280, 700));
    EXPECT_EQ(request->timeoutMs, 0);
    EXPECT_TRUE(request->banner);
}

// Each command line with the text its usage error holds; none for one that is taken.
TEST(ShotArguments, ValuesOutOfRangeAreUsageErrorsAndTheLimitsAreTaken)
{
    const std::vector<std::pair<Words, const char *>> cases = {
        {{"--width", "8192", "--height", "5461", "--scale", "2", "u", "o.png"}, nullptr},
        {{"--width", "5461", "--scale", "3", "u", "o.png"}, nullptr},
        {{"--scale", "4", "u", "o.png"}, "--scale"},
        {{"u", "o.webp"}, ".bmp, .gif, .jpg, .png or .tif"},
        {{"--scale", "0", "u", "o.png"}, ""},
        {{"--scale", "1.5", "u", "o.png"}, ""},
        {{"--quality", "0", "u", "o.jpg"}, ""},
        {{"--quality", "101", "u", "o.jpg"}, ""},
        {{"--timeout", "0", "u", "o.png"}, ""},
        {{"--timeout", "soon", "u", "o.png"}, ""},
        {{"--wait", "-1", "u", "o.png"}, ""},
        {{"--wait", "1s", "u", "o.png"}, ""},
        {{"--wait-for", " ", "u", "o.png"}, ""},
        {{"--selector", "", "u", "o.png"}, ""},
        {{"--hide", "", "u", "o.png"}, ""},
        {{"--javascript", "", "u", "o.png"}, ""},
        {{"--width", "9000", "--scale", "2", "u", "o.png"}, ""},
        {{"--height", "6000", "--scale", "3", "u", "o.png"}, ""},
        {{"--no-such-option", "u", "o.png"}, ""},
        {{"--private", "--profile", "p", "u", "o.png"}, "cannot go together"},
        {{"u"}, ""},
        {{"--batch", "list.txt", "u", "o.png"}, ""},
        {{"--batch", "list.txt", "--scale", "9"}, ""}};
    for (const auto &[words, error] : cases) {
        const std::string line = args(words).join(u' ').toStdString();
        QString text;
        EXPECT_EQ(bool(parsed(words, &text)), !error) << line;
        if (error) {
            EXPECT_TRUE(!text.isEmpty() && text.contains(QString::fromUtf8(error)))
                << line << ": " << text.toStdString();
        }
    }
}

TEST(ShotBatchArguments, BatchOptionsApplyToEveryLineAndLinesOverrideThem)
{
    const auto batch = parsed(
        {"--width", "800", "--profile", "p", "--batch", "list.txt", "--no-banner", "--hide", "#a"});
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->batchFile, u"list.txt"_s);
    // The profile is the whole run's: taken by the batch, not repeated on every line.
    EXPECT_EQ(batch->profileFolder, u"p"_s);
    EXPECT_EQ(batch->batchDefaults,
              (QStringList{u"--width"_s, u"800"_s, u"--no-banner"_s, u"--hide"_s, u"#a"_s}));
    const Result<ShotRequest> line =
        parseShotLine(words("http://x/ 'my shot.png' --width 640 --hide .b"), batch->batchDefaults);
    ASSERT_TRUE(line) << line.error().toStdString();
    EXPECT_EQ(line->output, u"my shot.png"_s);
    EXPECT_EQ(line->browserArea.width(), 640);
    EXPECT_EQ(line->hide, (QStringList{u"#a"_s, u".b"_s}));

    for (const char *bad : {"http://x/ o.png --batch other.txt", "http://x/ o.png --help",
                            "http://x/", "http://x/ o.png --quality 0", "http://x/ o.png --private",
                            "http://x/ o.png --profile elsewhere"}) {
        const Result<ShotRequest> refused = parseShotLine(words(bad), {});
        EXPECT_TRUE(!refused && !refused.error().isEmpty()) << bad;
    }
}

TEST(ShellWordsSplit, QuotesAndBackslashesAsInAShell)
{
    EXPECT_EQ(words("  a   b\tc  "), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_EQ(words("'a b' \"c d\" e\\ f"), (QStringList{u"a b"_s, u"c d"_s, u"e f"_s}));
    EXPECT_EQ(words("'it''s' \"say \\\"hi\\\"\" '\\n'"),
              (QStringList{u"its"_s, u"say \"hi\""_s, u"\\n"_s}));
    EXPECT_EQ(words("\"a\\b\" x'y'z '' \"\""),
              (QStringList{u"a\\b"_s, u"xyz"_s, QString(), QString()}));
    EXPECT_EQ(words("http://x/#frag o.png"), (QStringList{u"http://x/#frag"_s, u"o.png"_s}));
    EXPECT_EQ(words("--javascript 'document.title = \"$HOME\"'"),
              (QStringList{u"--javascript"_s, u"document.title = \"$HOME\""_s}));
    for (const char *bad : {"'open", "\"open", "ends\\"}) {
        const Result<QStringList> refused = splitShellWords(QString::fromUtf8(bad));
        EXPECT_TRUE(!refused && !refused.error().isEmpty()) << bad;
    }
}

// A batch file is only opened once the options are read: one that is missing, or opens but
// cannot be read (a process's own memory, from address 0), runs nothing and is a usage error.
TEST(ShotBatchFile, AFileThatIsMissingOrCannotBeReadRunsNothingAndIsAnError)
{
    for (const char *path : {"/proc/self/mem", "/nonexistent/missing.txt"}) {
        ShotRequest request;
        request.batchFile = QString::fromLatin1(path);
        EXPECT_EQ(runShotBatch(request), 2) << path;
    }
}

TEST(ShotBatchFile, SkipsBlankAndCommentLinesAndKeepsLineNumbers)
{
    const auto lines = readBatchLines(QStringLiteral("# a list\r\n\r\nhttp://a/ a.png\n   \n"
                                                     "  # indented comment\nhttp://b/ 'b.png\n"
                                                     "http://c/ c.png --wait 5\n"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(*lines[0].words, (QStringList{u"http://a/"_s, u"a.png"_s}));
    EXPECT_EQ(lines[1].number, 6);
    EXPECT_FALSE(lines[1].words.error().isEmpty());
    EXPECT_EQ(lines[2].number, 7);
    EXPECT_EQ(lines[2].words->size(), 4);
}

TEST(ElementCropArea, CoversEveryPixelTheBoxTouches)
{
    EXPECT_EQ(elementArea(QRectF(20, 300, 200, 150), 2), QRect(40, 600, 400, 300));
    EXPECT_EQ(elementArea(QRectF(10.5, 0.25, 5, 5), 1), QRect(10, 0, 6, 6));
    EXPECT_EQ(elementArea(QRectF(10.5, 0.25, 5, 5), 2), QRect(21, 0, 10, 11));
    EXPECT_EQ(elementArea(QRectF(0, 0, 300, 25000), 3), QRect(0, 0, 900, 75000));
}

TEST(ElementCropPicture, CutsToTheBoxWithinThePageAndStampsTheBannerOnTheCut)
{
    QImage page(300, 40000, QImage::Format_RGB32);
    page.fill(qRgb(0, 0, 160));
    for (int y = 0; y < page.height(); ++y)
        reinterpret_cast<QRgb *>(page.scanLine(y))[5] = qRgb(y & 255, (y >> 8) & 255, 0);

    const Result<Picture> plain = cropToElement(Picture(page), QRectF(5, 33000, 200, 6000), 1, {});
    ASSERT_TRUE(plain) << plain.error().toStdString();
    ASSERT_EQ(plain->image().size(), QSize(200, 6000));
    for (int y = 0; y < 6000; y += 250)
        ASSERT_EQ(plain->image().pixel(0, y), qRgb((33000 + y) & 255, ((33000 + y) >> 8) & 255, 0));

    // Cut to the page when the box reaches past it; nothing at all when it lies outside.
    const Result<Picture> cut = cropToElement(Picture(page), QRectF(250, 39990, 100, 100), 1, {});
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->image().size(), QSize(50, 10));
    const Result<Picture> outside = cropToElement(Picture(page), QRectF(0, 50000, 10, 10), 1, {});
    EXPECT_TRUE(!outside && !outside.error().isEmpty());

    DrawingSurface banner;
    banner.setScaleMode(ScaleMode::Pixels);
    banner.setAutoSize(true);
    banner.setPicture(BuiltInPictures::banner());
    ElementMarks marks;
    marks.banner = &banner;
    const Result<Picture> stamped =
        cropToElement(Picture(page), QRectF(0, 1000, 300, 100), 1, marks);
    ASSERT_TRUE(stamped);
    const QImage image = stamped->image();
    QRect marked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 6; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 160))
                marked |= QRect(x, y, 1, 1);
    // 20 pixels in from the cut's bottom-right corner.
    EXPECT_GT(marked.width() * marked.height(), 50);
    EXPECT_TRUE(QRect(300 - 20 - banner.drawableWidth(), 100 - 20 - banner.drawableHeight(),
                      banner.drawableWidth(), banner.drawableHeight())
                    .contains(marked));
}
