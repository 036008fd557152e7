ardour {
	["type"]    = "dsp",
	name        = "Talon Test Probe",
	category    = "Utility",
	license     = "MIT",
	author      = "Mirevox",
	description = "Passes audio on; keeps the first and last sample of each channel and counts cycles"
}

-- Shared memory: left first, right first, left last, right last, cycles.
local kValues = 5

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

function dsp_init (rate)
	self:shmem ():allocate (kValues)
	self:shmem ():clear ()
end

function dsp_run (ins, outs, n_samples)
	local kept = self:shmem ():to_float (0):array ()
	for c = 1, 2 do
		local samples = ins[c]:array ()
		kept[c] = samples[1]
		kept[c + 2] = samples[n_samples]
	end
	kept[kValues] = kept[kValues] + 1
end
