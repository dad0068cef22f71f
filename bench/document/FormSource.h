// The form both sides of the comparison serialise: elements of every insertable kind, absolutely
// positioned on a grid, as a saved form holds them. Portable (the Wine harness and the native libxml2
// benchmark share it).
#pragma once

#include <string>

namespace bench_document {

inline std::string GeneratedForm(int elements) {
  std::string body;
  body.reserve(static_cast<size_t>(elements) * 160);
  for (int i = 0; i < elements; ++i) {
    const std::string n = std::to_string(i + 1);
    const std::string style = " style=\"position: absolute; left: " + std::to_string(10 + (i % 8) * 80) +
                              "px; top: " + std::to_string(10 + (i / 8) * 25) + "px; width: 65px; height: 20px\"";
    switch (i % 12) {
      case 0:
        body += "<span id=\"label" + n + "\"" + style + ">label " + n + " &amp; more</span>";
        break;
      case 1:
        body += "<input id=\"textbox" + n + "\"" + style + " type=\"text\" value=\"textbox" + n + "\">";
        break;
      case 2:
        body += "<input id=\"button" + n + "\"" + style + " type=\"button\" value=\"OK\">";
        break;
      case 3:
        body += "<input id=\"checkbox" + n + "\"" + style + " type=\"checkbox\" value=\"on\" checked>";
        break;
      case 4:
        body += "<input id=\"radio" + n + "\"" + style + " type=\"radio\" name=\"main\" value=\"r" + n + "\">";
        break;
      case 5:
        body += "<input id=\"file" + n + "\"" + style + " type=\"file\">";
        break;
      case 6:
        body += "<textarea id=\"textarea" + n + "\"" + style + ">text of " + n + "</textarea>";
        break;
      case 7:
        body += "<fieldset id=\"frame" + n + "\"" + style + "><legend>frame " + n + "</legend></fieldset>";
        break;
      case 8:
        body += "<img id=\"image" + n + "\"" + style + " src=\"pic" + n + ".png\" alt=\"picture\">";
        break;
      case 9:
        body += "<select id=\"choise" + n + "\"" + style +
                " size=\"2\"><option value=\"1\">one</option>"
                "<option value=\"2\">two</option></select>";
        break;
      case 10:
        body += "<select id=\"choise" + n + "\"" + style + "><option>a</option></select>";
        break;
      default:
        body += "<object id=\"obj" + n + "\"" + style +
                " classid=\"CLSID:25336920-03F9-11CF-8FD0-00AA00686F13\">"
                "</object>";
        break;
    }
  }
  return "<html><head><title>Generated form</title></head><body width=\"700\" height=\"" +
         std::to_string(40 + (elements / 8) * 25) + "\">" + body + "</body></html>";
}

}  // namespace bench_document
