// Decodes a capture of tests/data/rows.html and checks every band is where the page has it.
//   tessaly_check_capture FILE PAGE_HEIGHT
#include "support/RowsPage.h"

#include <QGuiApplication>
#include <QImageReader>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fputs("usage: tessaly_check_capture FILE PAGE_HEIGHT\n", stderr);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    reader.setAllocationLimit(0);
    const QImage image = reader.read();
    const int height = std::atoi(argv[2]);
    // JPEG: colours within a margin, enough to tell every band from its neighbours' places.
    rows::expectRows(image, height, 40);
    return ::testing::Test::HasFailure() ? 1 : 0;
}
