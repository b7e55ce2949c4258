#pragma once

// The style sheet and script of the HTML view (view.css and view.js beside
// this file), built into the tool so that every view is one file.
namespace rivo::tool::render {

extern const char* const kViewStyle;
extern const char* const kViewScript;

}  // namespace rivo::tool::render
