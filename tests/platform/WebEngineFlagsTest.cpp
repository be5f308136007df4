#include "platform/OpenGlProbe.h"
#include "platform/OpenGlProbeCache.h"
#include "platform/WebEngineEnvironment.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tessaly;

// The engine reads only the last --disable-features: a feature the program switches off
// must join the user's list there, never replace it.
TEST(WebEngineFlags, FeatureJoinsTheLastDisableSwitchOrGetsOneOfItsOwn)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", "--disable-features=PaintHolding"},
        {"--no-sandbox  --disable-gpu",
         "--no-sandbox --disable-gpu --disable-features=PaintHolding"},
        {"--disable-features=A --x --disable-features=B,C",
         "--disable-features=A --x --disable-features=B,C,PaintHolding"},
        {"--disable-features=", "--disable-features=PaintHolding"},
        {"--disable-features=PaintHolding,B",
         "--disable-features=PaintHolding,B"}}; // named already
    for (const auto &[flags, expected] : cases)
        EXPECT_EQ(withFeatureDisabled(flags, "PaintHolding"), expected) << flags;
}

// Only a GPU the user switched off moves the frames to the software scene graph, and a
// backend the user names always wins.
TEST(WebEngineFlags, SoftwareSceneGraphOnlyWithoutGpuAndWithoutUserChoice)
{
    qunsetenv("QT_QUICK_BACKEND");
    qunsetenv("QSG_RHI_BACKEND");
    EXPECT_TRUE(wantsSoftwareSceneGraph("--no-sandbox --disable-gpu"));
    EXPECT_FALSE(wantsSoftwareSceneGraph("--disable-gpu-compositing"));
    for (const char *backend : {"QSG_RHI_BACKEND", "QT_QUICK_BACKEND"}) {
        qputenv(backend, "opengl");
        EXPECT_FALSE(wantsSoftwareSceneGraph("--disable-gpu")) << backend;
        qunsetenv(backend);
    }
}

// The GPU is switched off where the display draws OpenGL on the processor or has none, kept
// where a hardware renderer answers or there is no display to ask, and the user's own GPU
// switches or TESSALY_GPU win over the probe, which is then not even run.
TEST(WebEngineFlags, GpuOffOnlyWithoutHardwareOpenGlUnlessTheUserChose)
{
    int probes = 0;
    const auto display = [&probes](bool looked, const char *renderer) {
        return [&probes, looked, renderer] {
            ++probes;
            return OpenGlFinding{looked, renderer};
        };
    };
    const auto hardware = display(true, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)");
    for (const char *software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe",
                                 "Software Rasterizer", "swrast", "Google SwiftShader"})
        EXPECT_EQ(withGpuChoice("", GpuUse::Auto, display(true, software)), "--disable-gpu")
            << software;
    EXPECT_EQ(withGpuChoice("--no-sandbox", GpuUse::Auto, display(true, "")),
              "--no-sandbox --disable-gpu");
    EXPECT_EQ(withGpuChoice("--no-sandbox", GpuUse::Auto, hardware), "--no-sandbox");
    EXPECT_EQ(withGpuChoice("", GpuUse::Auto, display(false, "")), "");
    EXPECT_EQ(probes, 8);

    probes = 0;
    const auto llvmpipe = display(true, "llvmpipe (LLVM 15.0.6, 256 bits)");
    EXPECT_EQ(withGpuChoice("", GpuUse::On, llvmpipe), "");
    EXPECT_EQ(withGpuChoice("--no-sandbox", GpuUse::Off, hardware), "--no-sandbox --disable-gpu");
    for (const char *chosen : {"--ignore-gpu-blocklist", "--use-gl=egl",
                               "--disable-gpu-compositing", "--disable-gpu --no-sandbox"}) {
        EXPECT_EQ(withGpuChoice(chosen, GpuUse::Auto, llvmpipe), chosen);
        EXPECT_EQ(withGpuChoice(chosen, GpuUse::Off, llvmpipe), chosen);
    }
    EXPECT_EQ(probes, 0);
    // Switches that are not about the GPU leave the choice to the probe.
    EXPECT_EQ(withGpuChoice("--disable-features=PaintHolding", GpuUse::Auto, llvmpipe),
              "--disable-features=PaintHolding --disable-gpu");

    EXPECT_EQ(gpuUseFromText(""), GpuUse::Auto);
    EXPECT_EQ(gpuUseFromText("Auto"), GpuUse::Auto);
    EXPECT_EQ(gpuUseFromText(" on"), GpuUse::On);
    EXPECT_EQ(gpuUseFromText("OFF"), GpuUse::Off);
    EXPECT_EQ(gpuUseFromText("1"), std::nullopt);
}

// Xvfb, where the suite runs, draws OpenGL in software: the probe must see it as it is.
TEST(WebEngineFlags, ProbeFindsTheVirtualDisplaysOpenGlDrawnInSoftware)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no X display to ask";
    const OpenGlFinding found = probeDisplayOpenGl();
    EXPECT_TRUE(found.looked);
    EXPECT_TRUE(isSoftwareRenderer(found.renderer)) << found.renderer.toStdString();
}

// The display's answer is kept for the same display, a display that could not be asked too:
// the next start does not ask the driver again, another display (or a new boot) does, and no
// key means no keeping.
TEST(WebEngineFlags, TheProbesAnswerIsKeptPerDisplay)
{
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cache/display-opengl"));
    int asked = 0;
    const auto probe = [&asked] {
        ++asked;
        return OpenGlFinding{asked != 2, QByteArray("renderer ") + QByteArray::number(asked)};
    };
    EXPECT_EQ(cachedOpenGlFinding(file, "boot :0 vendor 1", probe).renderer, "renderer 1");
    EXPECT_EQ(cachedOpenGlFinding(file, "boot :0 vendor 1", probe).renderer, "renderer 1");
    EXPECT_EQ(asked, 1);
    for (int start = 0; start < 2; ++start)
        EXPECT_FALSE(cachedOpenGlFinding(file, "boot :1 vendor 1", probe).looked) << start;
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(cachedOpenGlFinding(file, "", probe).renderer, "renderer 3");
    EXPECT_EQ(cachedOpenGlFinding(file, "", probe).renderer, "renderer 4");
}
