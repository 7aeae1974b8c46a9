-- E1.31 universe discovery for tshark, whose ACN dissector leaves these packets undecoded: the
-- root layer of vector 0x00000008, the discovery framing layer (0x00000002) with the source's
-- name, and the universe discovery layer with its page and the universes listed.
local discovery = Proto("e131disc", "E1.31 Universe Discovery")
local f = discovery.fields
f.root_vector = ProtoField.uint32("e131disc.root_vector", "Root vector", base.HEX)
f.cid = ProtoField.bytes("e131disc.cid", "CID")
f.framing_vector = ProtoField.uint32("e131disc.framing_vector", "Framing vector", base.HEX)
f.source_name = ProtoField.stringz("e131disc.source_name", "Source name")
f.vector = ProtoField.uint32("e131disc.vector", "Universe discovery vector", base.HEX)
f.page = ProtoField.uint8("e131disc.page", "Page")
f.last_page = ProtoField.uint8("e131disc.last_page", "Last page")
f.universe = ProtoField.uint16("e131disc.universe", "Universe")

local function dissect(tvb, pinfo, tree)
    if tvb:len() < 120 or tvb(4, 9):string() ~= "ASC-E1.17" or tvb(18, 4):uint() ~= 8
        or tvb(40, 4):uint() ~= 2 then
        return false
    end
    pinfo.cols.protocol = "E1.31 Discovery"
    local t = tree:add(discovery, tvb())
    t:add(f.root_vector, tvb(18, 4))
    t:add(f.cid, tvb(22, 16))
    t:add(f.framing_vector, tvb(40, 4))
    t:add(f.source_name, tvb(44, 64))
    t:add(f.vector, tvb(114, 4))
    t:add(f.page, tvb(118, 1))
    t:add(f.last_page, tvb(119, 1))
    for at = 120, tvb:len() - 2, 2 do
        t:add(f.universe, tvb(at, 2))
    end
    return true
end

discovery:register_heuristic("udp", dissect)
