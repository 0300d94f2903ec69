#include "text/StreamingVerdict.h"

#include <initializer_list>

#include "res/StreamTexts.h"

void CStreamingVerdict::AddDevice(const _STREAM_INFO* info)
{
    m_anyDevice = true;
    if (info && (info->audioOut.state != PlugState_Connected || info->audioIn.state != PlugState_Connected))
        m_anyFailed = true;
}

StreamingState CStreamingVerdict::State() const
{
    if (!m_anyDevice)
        return StreamingState::NoStreams;
    return m_anyFailed ? StreamingState::ConnectFailed : StreamingState::Streaming;
}

bool FirstFailedAudioPlug(const _STREAM_INFO& info, uint32_t& error)
{
    for (const _PLUG_STATUS* plug : {&info.audioOut, &info.audioIn}) {
        if (plug->state == PlugState_ConnectFailed) {
            error = plug->error;
            return true;
        }
    }
    return false;
}

const char* StreamingStateText(StreamingState state)
{
    switch (state) {
    case StreamingState::Streaming: return TXT_STREAMING;
    case StreamingState::ConnectFailed: return TXT_CONNECT_FAILED_STATE;
    case StreamingState::NoStreams: break;
    }
    return TXT_NO_STREAMS;
}

unsigned StreamingStateTextId(StreamingState state)
{
    switch (state) {
    case StreamingState::Streaming: return IDS_STREAMING;
    case StreamingState::ConnectFailed: return IDS_CONNECT_FAILED_STATE;
    case StreamingState::NoStreams: break;
    }
    return IDS_NO_STREAMS;
}
