// The link submenu of the main menu: identify the calculator, fetch its screens, send the
// compiled program, change the port settings.
#pragma once

#include <string>

#include "link/link_context.h"

namespace calvern {

// The port part of the link header: " Settings : Calculator on COM3 unit 255...".
std::string PortSettingsText(const MessageTable& messages, const std::string& comPort,
                             int mkIdentifier);

// Clears the console, shows the port settings, identifies the calculator and draws the
// connection box.
void ShowLinkHeader(LinkContext& context, LinkSession& session);

// The submenu: one action, then back to the main menu.
void LinkMenu(LinkContext& context);

// Answer "4": asks for a new port and identifier.
void ChangePortSettings(LinkContext& context);

// The decimal value at the start of a typed answer, 0 when there is none.
int DecimalValue(const std::string& text);

}  // namespace calvern
