#include "library_binding.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "library_binding_linked.h"

namespace {

// The ordinals of the binding are those of the library's export table.
TEST(LibraryBinding, SlotsMatchTheExportTable) {
    std::ifstream table(EXPORT_TABLE_PATH);
    ASSERT_TRUE(table) << EXPORT_TABLE_PATH;
    std::map<int, std::string> names;
    std::string line;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int ordinal = 0;
        std::string name;
        fields >> ordinal >> name;
        names[ordinal] = name;
    }
    ASSERT_GE(names.size(), 91u);
    std::set<int> ordinals;
    for (const tenvo::BindingSlot& slot : tenvo::kBindingSlots) {
        EXPECT_EQ(names[slot.ordinal], slot.name) << "ordinal " << slot.ordinal;
        ordinals.insert(slot.ordinal);
    }
    std::set<int> expected{5,  53, 54, 55, 56, 57, 59, 65, 73, 74, 75, 76, 79, 80,  81,  82,
                           83, 84, 86, 88, 90, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102};
    for (int ordinal = 19; ordinal <= 42; ++ordinal) expected.insert(ordinal);
    for (int ordinal = 103; ordinal <= 124; ++ordinal) expected.insert(ordinal);
    for (const int ordinal : {126, 128, 129}) expected.insert(ordinal);
    EXPECT_EQ(ordinals, expected);
}

// A loader that stores each export through its slot, as the Windows program
// does with the addresses it finds by ordinal, gets the very functions that
// the native program links by name.
TEST(LibraryBinding, StoringBySlotFillsEveryMember) {
    const tenvo::LibraryBinding linked = tenvo::linkedLibraryBinding();
    ASSERT_TRUE(tenvo::isComplete(linked));
    tenvo::LibraryBinding loaded;
    EXPECT_FALSE(tenvo::isComplete(loaded));
    for (const tenvo::BindingSlot& slot : tenvo::kBindingSlots) {
        EXPECT_FALSE(slot.isSet(loaded)) << slot.name;
        void* address = dlsym(RTLD_DEFAULT, slot.name);
        ASSERT_NE(address, nullptr) << slot.name;
        slot.store(loaded, reinterpret_cast<tenvo::RawExport>(address));
        EXPECT_TRUE(slot.isSet(loaded)) << slot.name;
    }
    EXPECT_TRUE(tenvo::isComplete(loaded));
    // The binding is nothing but function pointers: equal bytes, equal members.
    static_assert(sizeof(tenvo::LibraryBinding) ==
                  tenvo::kBindingSlots.size() * sizeof(tenvo::RawExport));
    EXPECT_EQ(std::memcmp(&loaded, &linked, sizeof loaded), 0);

    // Every slot missing on its own makes the binding incomplete.
    for (const tenvo::BindingSlot& slot : tenvo::kBindingSlots) {
        tenvo::LibraryBinding partial = linked;
        slot.store(partial, nullptr);
        EXPECT_FALSE(tenvo::isComplete(partial)) << slot.name;
        EXPECT_FALSE(slot.isSet(partial));
    }
}

}  // namespace
