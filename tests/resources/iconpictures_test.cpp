#include "resources/icons/iconpictures.h"

#include "model/modelstate.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

struct Coverage {
    int opaque = 0;      // alpha of at least one half
    int transparent = 0; // alpha 0
};

Coverage coverage(const QImage& picture) {
    Coverage c;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int alpha = qAlpha(picture.pixel(x, y));
            c.opaque += alpha >= 128 ? 1 : 0;
            c.transparent += alpha == 0 ? 1 : 0;
        }
    }
    return c;
}

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

QStringList svgWarnings;

void collectSvgWarnings(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (QString::fromLatin1(context.category).startsWith(QLatin1String("qt.svg"))) {
        svgWarnings << message;
    }
}

// The whole slot is 380 pixels; a picture this faint or this full would not read as a
// small picture on a branch.
constexpr int minOpaque = 60;
constexpr int minTransparent = 20;

TEST(IconPicture, EveryValueDrawsAClearPictureOnATransparentBackground) {
    svgWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectSvgWarnings);
    for (std::int32_t value = IconPictures::first; value <= IconPictures::last; ++value) {
        SCOPED_TRACE(value);
        const QImage picture = iconPicture(value);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(20, 19));
        EXPECT_EQ(picture.format(), QImage::Format_ARGB32_Premultiplied);
        const Coverage c = coverage(picture);
        EXPECT_GE(c.opaque, minOpaque);
        EXPECT_GE(c.transparent, minTransparent);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(svgWarnings.isEmpty()) << svgWarnings.join(QLatin1Char('\n')).toStdString();
}

TEST(IconPicture, AllPicturesDifferFromEachOther) {
    std::vector<QImage> pictures;
    for (std::int32_t value = IconPictures::first; value <= IconPictures::last; ++value) {
        pictures.push_back(iconPicture(value));
    }
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        for (std::size_t j = i + 1; j < pictures.size(); ++j) {
            const auto a = static_cast<std::int32_t>(i) + IconPictures::first;
            const auto b = static_cast<std::int32_t>(j) + IconPictures::first;
            EXPECT_GE(differingPixels(pictures[i], pictures[j]), 20)
                << "values " << a << " and " << b << " look alike";
        }
    }
}

TEST(IconPicture, DoubleScaleDrawsTheSamePictureOnTheWholeLargerImage) {
    for (std::int32_t value = IconPictures::first; value <= IconPictures::last; ++value) {
        SCOPED_TRACE(value);
        const QImage small = iconPicture(value);
        const QImage large = iconPicture(value, 2);
        ASSERT_EQ(large.size(), QSize(40, 38));
        EXPECT_EQ(large.format(), QImage::Format_ARGB32_Premultiplied);
        // Four times the covered area, give or take the anti-aliased edges.
        const double ratio = double(coverage(large).opaque) / coverage(small).opaque;
        EXPECT_GT(ratio, 3.3);
        EXPECT_LT(ratio, 4.7);
    }
}

TEST(IconPicture, ValuesAndScalesOutsideTheRangeGiveANullImage) {
    struct Case {
        std::int32_t value;
        int scale;
    };
    const Case cases[] = {
        {IconPictures::first - 1, 1},
        {IconPictures::last + 1, 1},
        {std::numeric_limits<std::int32_t>::min(), 1},
        {std::numeric_limits<std::int32_t>::max(), 1},
        {0, 0},
        {-1, -1},
        {47, 17},
        {5, std::numeric_limits<int>::max()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value << " scale " << c.scale);
        EXPECT_TRUE(iconPicture(c.value, c.scale).isNull());
    }
    EXPECT_EQ(iconPicture(47, 16).size(), QSize(320, 304));
}

TEST(LoadIconPictures, FillsEveryEntryOfTheTable) {
    IconPictures table;
    loadIconPictures(table);
    for (std::int32_t value = IconPictures::first; value <= IconPictures::last; ++value) {
        SCOPED_TRACE(value);
        ASSERT_FALSE(table[value].isNull());
        EXPECT_EQ(table[value], iconPicture(value));
    }
}

} // namespace
