#include "resources/artwork/Artwork.h"

#include "platform/desktop/Windows.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Resources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct BitmapCase {
  const char* name;
  int width;
  int height;
};

// Every named picture the grid and the program load must exist and decode at its size.
TEST(ArtworkTest, GridBitmapsLoadByNameAtTheirSizes) {
  RegisterArtwork();
  RegisterArtwork();  // a second call changes nothing
  const BitmapCase cases[] = {
      {"DBGARROWGX", 6, 11},     {"DBEDITGX", 6, 11},       {"DBINSERTGX", 6, 11},
      {"DBMULTIDOTGX", 6, 11},   {"DBMULTIARROWGX", 6, 11}, {"DBGARROWGXW", 6, 11},
      {"DBSMDOWNGX", 10, 9},     {"DBSMUPGX", 10, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap bmp;
    ASSERT_NO_THROW(bmp.LoadFromResourceName(0, c.name));
    EXPECT_EQ(bmp.Width(), c.width);
    EXPECT_EQ(bmp.Height(), c.height);
  }
  TBitmap grid;
  ASSERT_NO_THROW(grid.LoadFromResourceName(0, "DBGRID_BMP"));
  EXPECT_GT(grid.Width(), 0);
}

TEST(ArtworkTest, CursorsAndIconAreRegistered) {
  RegisterArtwork();
  for (const char* name : {"DOWNCURGX", "RIGHTCURGX", "LEFTCURGX", "MAGNIFIERGX", "HANDGX"}) {
    SCOPED_TRACE(name);
    EXPECT_NE(FindResource("CURSOR", name), nullptr);
    EXPECT_NE(win::LoadCursor(0, name), nullptr);
  }
  EXPECT_NE(FindResource("ICON", "MAINICON"), nullptr);
}

TEST(ArtworkTest, UnknownNameRaisesResourceError) {
  RegisterArtwork();
  TBitmap bmp;
  EXPECT_THROW(bmp.LoadFromResourceName(0, "NOSUCHBITMAP"), EResNotFound);
}

}  // namespace
