#include "location/LocationFiles.h"

#include <gtest/gtest.h>

using namespace tarvisol;

TEST(MakeLocationPath, ARelativeNameGetsTheFolderInFront) {
    LocationState loc;
    loc.LocationFolder = "/farms/north";
    EXPECT_EQ(MakeLocationPath(loc, "Demo.pig"), "/farms/north/Demo.pig");
    EXPECT_EQ(MakeLocationPath(loc, "herds/Demo.pig"), "/farms/north/herds/Demo.pig");
    loc.LocationFolder = "/farms/north/";  // with a closing separator: still one
    EXPECT_EQ(MakeLocationPath(loc, "Demo.pig"), "/farms/north/Demo.pig");
}

TEST(MakeLocationPath, AFullPathKeepsOnlyItsFileNameInTheCurrentFolder) {
    LocationState loc;
    loc.LocationFolder = "/farms/north";
    EXPECT_EQ(MakeLocationPath(loc, "/elsewhere/old/Demo.pig"), "/farms/north/Demo.pig");
    EXPECT_EQ(MakeLocationPath(loc, "/farms/north/Demo"), "/farms/north/Demo");
    EXPECT_EQ(MakeLocationPath(loc, "/"), "/farms/north/");
}

TEST(MakeLocationPath, WithoutAFolderTheNameIsKept) {
    LocationState loc;
    EXPECT_EQ(MakeLocationPath(loc, "Demo.pig"), "Demo.pig");
    EXPECT_EQ(JoinPath("", "x"), "x");
    EXPECT_EQ(JoinPath("/a", ""), "/a/");
}

TEST(SetLocationFiles, NamesEveryFileOfTheLocationAndClearsTheFlags) {
    SharedState s;
    s.LocationFolder = "/farms/north";
    for (int i = 0; i <= 10; ++i) s.FileFlags(i) = true;
    SetLocationFiles(s, "/old/place/Demo");
    EXPECT_EQ(s.MatrixFile, "/farms/north/DemoMatrix.txt");
    EXPECT_EQ(s.DietFile, "/farms/north/Demo.dts");
    EXPECT_EQ(s.PigFile, "/farms/north/Demo.pig");
    EXPECT_EQ(s.CalFile, "/farms/north/Demo.cal");
    EXPECT_EQ(s.TempFileName, "/farms/north/Demo.stg");
    EXPECT_EQ(s.NutrientRestrictionFile, "/farms/north/DemoReq.nut");
    EXPECT_EQ(s.IngredientRestrictionFile, "/farms/north/DemoReq.ing");
    EXPECT_EQ(s.OptRestrictionFile, "/farms/north/DemoOptrestrict.txt");
    EXPECT_TRUE(s.FileFlags(0));
    for (int i = 1; i <= 10; ++i) EXPECT_FALSE(s.FileFlags(i)) << i;
    EXPECT_EQ(s.LocationBase, "");
}
