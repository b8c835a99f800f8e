#include "VelmoraQmlPlugins.h"
#include "tests/support/QuickTestSetup.h"

#include <QtQuickTest/quicktest.h>

QUICK_TEST_MAIN_WITH_SETUP(ombrapop_quick_tests, VelmoraTest::QuickSetup)
