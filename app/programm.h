#pragma once

// Name, version and maker of the program, as the title bar, the info dialog, the PGN site tag
// and the evaluation report show them. The project has no web or mail address of its own; the
// info dialog links to the documentation installed with the program.
constexpr char PROGRAMM_NAME[] = "Brakmor";
// The version is the project's, set once in CMakeLists.txt.
constexpr char PROGRAMM_VERSION[] = BRAKMOR_VERSION;
constexpr char HERSTELLER_NAME[] = "Brakmor-Team";
