#include "Memory.h"

namespace {

using namespace officetest;

const char* NamesSheets = R"({"name": "Data", "cells": {"A1": 1}}, {"name": "My data"},
                             {"name": "Trend", "type": "chart", "chart": {}})";
const char* NamesList = R"({"name": "Totals", "refersTo": "=Data!$A$1:$B$5"},
                           {"name": "Data!Block", "refersTo": "=Data!$E$20:$F$22"},
                           {"name": "'My data'!Block", "refersTo": "='My data'!$B$2", "visible": false},
                           {"name": "Pair", "refersTo": "=Data!$A$1:$A$2,Data!$C$1:$C$2"},
                           {"name": "Rate", "refersTo": "=0.2"},
                           {"name": "Broken", "refersTo": "=#REF!$A$1"},
                           {"name": "Missing", "refersTo": "=Gone!$A$1"},
                           {"name": "OnChart", "refersTo": "=Trend!$A$1"})";

TEST(Names, SheetLevelNamesReadWithTheirSheet) {
    auto o = workbook(NamesSheets, NamesList);
    auto wb = active(*o);
    auto block = wb->findName("Data!Block");
    ASSERT_TRUE(block);
    EXPECT_EQ(block->name(), "Data!Block");
    EXPECT_EQ(block->refersToRange().worksheet().name(), "Data");
    auto quoted = wb->findName("'My data'!Block");
    ASSERT_TRUE(quoted);
    EXPECT_FALSE(quoted->visible());
    EXPECT_EQ(quoted->refersToRange().address(), "$B$2");
    // The office's Range resolves both spellings of a sheet-level name.
    EXPECT_EQ(o->attachExcel()->range("Data!Block").address(), "$E$20:$F$22");
    EXPECT_EQ(o->attachExcel()->range("My data!Block").address(), "$B$2");
}

TEST(Names, MultiAreaReferenceGivesEveryArea) {
    auto o = workbook(NamesSheets, NamesList);
    const auto range = active(*o)->findName("Pair")->refersToRange();
    EXPECT_EQ(range.areaCount(), 2);
    EXPECT_EQ(range.address(), "$A$1:$A$2,$C$1:$C$2");
    EXPECT_EQ(active(*o)->findName("Pair")->refersTo(), "=Data!$A$1:$A$2,Data!$C$1:$C$2");
}

TEST(Names, ConstantsAndBrokenReferencesYieldNoRange) {
    auto o = workbook(NamesSheets, NamesList);
    for (const char* n : {"Rate", "Broken", "Missing", "OnChart"}) {
        auto name = active(*o)->findName(n);
        ASSERT_TRUE(name) << n;
        EXPECT_EQ(errorOf([&] { name->refersToRange(); }), office::errors::Application) << n;
    }
    EXPECT_EQ(active(*o)->findName("Rate")->refersTo(), "=0.2");
    EXPECT_EQ(active(*o)->findName("Missing")->refersTo(), "=Gone!$A$1");
}

TEST(Names, AddNameReadsR1C1AndKeepsA1) {
    auto o = workbook(R"({"name": "kukukukuVovezuv"}, {"name": "Data"})");
    auto wb = active(*o);
    wb->addName("CorvaneReservedName01", "=kukukukuVovezuv!C1:C8");
    wb->addName("CorvaneReservedName02", "=kukukukuVovezuv!R23C15:R30C22");
    EXPECT_EQ(wb->findName("CorvaneReservedName01")->refersToRange().address(), "$A:$H");
    EXPECT_EQ(wb->findName("CorvaneReservedName01")->refersTo(), "=kukukukuVovezuv!$A:$H");
    EXPECT_EQ(wb->findName("CorvaneReservedName02")->refersToRange().address(), "$O$23:$V$30");

    // Adding an existing name replaces it in place.
    wb->addName("corvanereservedname01", "=Data!R1C1");
    EXPECT_EQ(wb->nameList().size(), 2u);
    EXPECT_EQ(wb->nameList().front()->refersTo(), "=Data!$A$1");

    wb->addName("Data!Local", "=Data!R2C2");
    wb->addName("Rate", "=0.5");
    EXPECT_EQ(wb->findName("Data!Local")->refersToRange().address(), "$B$2");
    EXPECT_EQ(wb->findName("Rate")->refersTo(), "=0.5");
}

TEST(Names, AddNameRefusesWhatTheOfficeRefuses) {
    auto o = workbook(R"({"name": "Data"})");
    auto wb = active(*o);
    for (const char* bad : {"A1", "R1C1", "1st", "two words", "C", ""})
        EXPECT_EQ(errorOf([&] { wb->addName(bad, "=Data!R1C1"); }), office::errors::Application)
            << bad;
    EXPECT_EQ(errorOf([&] { wb->addName("Ok", "=Gone!R1C1"); }), office::errors::Application);
    EXPECT_EQ(errorOf([&] { wb->addName("Nope!Ok", "=Data!R1C1"); }), office::errors::Application);
    EXPECT_TRUE(wb->nameList().empty());
}

TEST(Names, RenamingASheetCarriesItsNamesAndChartSources) {
    auto o =
        workbook(R"({"name": "Data", "charts": [{"name": "C", "topLeft": "A1", "bottomRight": "B2",
                                                      "source": "Data!A1:B5"}]},
                         {"name": "T", "type": "chart", "chart": {"source": "Data!A1:B3"}})",
                 R"({"name": "Data!Block", "refersTo": "=Data!$E$20:$F$22"},
                         {"name": "Totals", "refersTo": "=Data!$A$1:$B$5"})");
    auto wb = active(*o);
    wb->findSheet("Data")->setName("Sales 2024");
    EXPECT_EQ(wb->nameList()[0]->name(), "'Sales 2024'!Block");
    EXPECT_EQ(wb->findName("Totals")->refersTo(), "='Sales 2024'!$A$1:$B$5");
    EXPECT_EQ(wb->findSheet("Sales 2024")->chartList()[0]->chartImpl()->data.source,
              "'Sales 2024'!A1:B5");
    EXPECT_EQ(wb->findSheet("T")->chartSheetChart()->data.source, "'Sales 2024'!A1:B3");
}

}  // namespace
