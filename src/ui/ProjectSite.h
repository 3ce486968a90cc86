#pragma once

// The address of the project's web site, written here and nowhere else. Empty while the
// project has no site: the main window then shows no link to it and the about box says
// there is none yet.
inline constexpr char ProjectSite[] = "";
