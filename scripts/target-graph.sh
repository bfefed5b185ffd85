#!/usr/bin/env bash
# Draws the build's targets and what each links into docs/targets.png (needs graphviz).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
# Qt's own helpers and CTest's dashboard targets would crowd out the game's.
cat >"$build/CMakeGraphVizOptions.cmake" <<'OPTIONS'
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "OpenGL::OpenGL;WrapVulkanHeaders::WrapVulkanHeaders;Qt6::moc;Qt6::rcc;Qt::Core;Qt::Gui;Qt::Network;Qt6::Network;Qt::Widgets;Qt::Test;GTest::gtest_main;GTest::gmock;GTest::gmock_main;benchmark::benchmark_main;globule_platform_resources_1;Continuous;Experimental;Nightly;NightlyMemoryCheck;.*Start;.*Update;.*Configure;.*Build;.*Test;.*Coverage;.*MemCheck;.*Submit;Qt6::Platform;Qt6::GlobalConfig;Qt6::GlobalConfigPrivate;Threads::Threads;OpenGL::GL;OpenGL::EGL;Qt6::EntryPointPrivate;WrapAtomic::WrapAtomic")
OPTIONS
(cd "$build" && cmake --graphviz="$build/targets.dot" . >/dev/null)
dot -Tpng -Gdpi=80 "$build/targets.dot" -o "$root/docs/targets.png"
echo "wrote docs/targets.png"
