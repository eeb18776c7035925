// Sends a telegram inside the sender's frame of log lines: "<writer> is
// writing a message." (or, given the message's name, "<writer> is writing a
// message: '<name>'"), the dispatcher's own lines and those of an immediate
// delivery, then "<writer> just sent message." and an empty line.
#pragma once

void SendLogged(const char* szWriter, int iDelay, int iSender, int iReceiver, int iMsg,
                const char* szName = nullptr);
