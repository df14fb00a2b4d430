#pragma once

// Name, version and maker of the program, as the title bar, the info dialog, the PGN site tag
// and the evaluation report show them.
constexpr char PROGRAMM_NAME[] = "Brakmor";
// The version is the project's, set once in CMakeLists.txt.
constexpr char PROGRAMM_VERSION[] = BRAKMOR_VERSION;
constexpr char HERSTELLER_NAME[] = "Brakmor-Team";
constexpr char HERSTELLER_WEBADRESSE[] = "https://brakmor.example.org";
constexpr char HERSTELLER_EMAIL[] = "brakmor@example.org";
