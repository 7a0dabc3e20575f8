// The names under which the suite keeps its settings: the program's own keys are
// Software\<company>\<product>\<component>, per user first, machine-wide second.
#pragma once

const char* const SettingsCompany = "Vexa Corporation";
const char* const SettingsProduct = "Lumora";
const char* const ReadyComponent = "Ready";    // the launch target, the silent flag, the footmark
const char* const ConfigComponent = "Config";  // the UI component opt-out, where the libraries are
