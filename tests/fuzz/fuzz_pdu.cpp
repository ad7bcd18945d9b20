// Any text the phone might list as a PDU: the decoders must neither crash nor read past it,
// and always hand back a record of five fields.
#include "sms/PDU.h"
#include "sms/SMSAlphabet.h"
#include "sms/SMSAntworten.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const QString pdu = QString::fromLatin1(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    for (const QString& satz : {Module1::PDU_Dekodieren(pdu), Module1::PDUGesendet_Dekodieren(pdu),
                                Module1::PDUUngesendet_Dekodieren(pdu)})
        if (satz.count(QLatin1Char('^')) < 5)
            std::abort();
    for (int status = 0; status < 4; ++status)
        if (Module1::Nachricht_Dekodieren(status, pdu)->count(QLatin1Char('^')) < 5)
            std::abort();
    Module1::Absender_Dekodieren(pdu);
    Module1::CMGL_Antwort_Zerlegen(pdu);

    // The same bytes as a text to send: every septet a code, never more than the limit.
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    for (const char septett : Module1::SMS_Septette(text))
        if (septett < 0)
            std::abort();
    if (Module1::SMS_Septettzahl(Module1::SMS_Kuerzen(text, Module1::SMSText_Hoechstlaenge)) >
        Module1::SMSText_Hoechstlaenge)
        std::abort();
    return 0;
}
