#include "Engine/LoggedSend.h"

#include <iostream>

#include "Engine/MessageDispatcher.h"

void SendLogged(const char* szWriter, int iDelay, int iSender, int iReceiver, int iMsg, const char* szName) {
    if (szName)
        std::cout << szWriter << " is writing a message: '" << szName << "'" << std::endl;
    else
        std::cout << szWriter << " is writing a message." << std::endl;
    MessageDispatcher::Instance()->DispatchMessage(iDelay, iSender, iReceiver, iMsg, nullptr);
    std::cout << szWriter << " just sent message." << std::endl << std::endl;
}
