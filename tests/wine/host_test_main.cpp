// Entry point of the host tests: OLE on the main thread, as the program has it from start-up
// (the folder chooser needs it).
#include <ole2.h>

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
    OleInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
