#pragma once

#include <string>

// Pieces the report pages share: text made safe for HTML, files embedded as
// data URLs, so every page stands alone.
std::string escapeHtml(const std::string& text);
std::string base64(const std::string& bytes);
// The whole file, or empty when it cannot be read.
std::string readWholeFile(const std::string& path);
// An <img> holding the PNG file inline, with its alternative text.
std::string inlinePngImage(const std::string& path, const std::string& alt);

// Writes the page as DIR/index.html, making DIR if needed; its path goes to
// pagePath. False with a reason in `error` if it cannot be written.
bool writeHtmlPage(const std::string& directory, const std::string& html, std::string& pagePath, std::string& error);
